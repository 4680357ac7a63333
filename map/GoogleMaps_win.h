// The map window: a child dialog (template 103) inside the main window's map
// placeholder. It owns the clip's telemetry, writes the map page, the route and
// the position file into a folder of its own under the temporary folder (see
// CInstanceFolder), probes the connection and shows
// the page in the web view at IDC_MAP_WEBVIEW, or hides it while offline (the
// internet-ok flag of map/internet_ok.h then tells the main window).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Dialog_win.h"
#include "map/ConnectionProbe_win.h"
#include "map/InstanceFolder_win.h"
#include "map/WebBrowserView_win.h"
#include "map/map_core.h"
#include "resources/resource.h"

class CGoogleMaps : public CDialogBase {
 public:
  static constexpr UINT kTemplateId = 103;
  static constexpr int kWebViewPlaceId = IDC_MAP_WEBVIEW;
  // The connection probe's answer (see CConnectionProbe).
  static constexpr UINT kProbeAnswerMessage = WM_APP + 125;

  CGoogleMaps();

  // CDialogBase::Create(placeholder) makes the window, hidden, as a child of
  // the placeholder; the layout then sets the map area size and moves it.
  void SetMapArea(int width, int height);

  // Refills the per-second table from the sidecar and writes the route file.
  void LoadTelemetry(const std::string& path, int bPresent, int64_t nClipSec);
  // Writes the start position and probes the connection; the page is
  // written and shown (or the web view hidden) when the answer comes back,
  // on the window thread.
  void ShowMap();
  // Row -1 writes the placeholder; a row without fix leaves the file alone.
  void UpdateTargetPos(int64_t row, int update);
  void WriteLinePath();
  void WriteMapPage();
  // After the layout has moved this window and its web view place: a layout pass
  // that is not the first re-shows the map when bSizeChanged (the layout's
  // flag, passed in) is 1, and rewrites the position of the last row. Returns 0.
  int OnLayout(bool first, int bSizeChanged);

  const CTelemetryTable& Table() const { return m_core.Store().Table(); }
  const CTelemetryStore& Store() const { return m_core.Store(); }
  int32_t SamplesPerSecond() const { return m_core.Store().SamplesPerSecond(); }
  int32_t PulseDivisor() const { return m_core.Store().PulseDivisor(); }
  int64_t LastRow() const { return m_core.LastRow(); }
  bool ShownOnce() const { return m_core.ShownOnce(); }
  int MapWidth() const { return m_nMapWidth; }
  int MapHeight() const { return m_nMapHeight; }
  // This window's folder of the three files under the temporary folder,
  // removed with the window (empty: the current folder).
  const std::string& Folder() const { return m_core.Folder(); }
  std::string PagePath() const { return m_core.PagePath(); }
  CWebBrowserView& WebView() { return m_webView; }
  bool ProbeInFlight() const { return m_probe.InFlight(); }

  // Replaces the probe's address and check (tests use loopback or stand-ins).
  void SetProbe(std::string address, CConnectionProbe::ProbeFunction probe);

  // Key-down and key-up are reported as handled: Enter and Escape never close it.
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnProbeAnswer(bool reachable);
  void HideWebView();

  CInstanceFolder m_instanceFolder;  // first made, last gone: after the files close
  CMapCore m_core;
  CWebBrowserView m_webView;
  CConnectionProbe m_probe;
  int m_nMapWidth = 0;
  int m_nMapHeight = 0;
};

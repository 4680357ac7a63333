#include "map/GoogleMaps_win.h"

#include <utility>

#include "map/internet_ok.h"
#include "map/map_settings.h"

CGoogleMaps::CGoogleMaps()
    : CDialogBase(kTemplateId),
      m_core(m_instanceFolder.Path(), BuildMapScript()),
      m_probe(BuildProbeAddress(), &CConnectionProbe::CheckConnection) {}

void CGoogleMaps::SetMapArea(int width, int height) {
  m_nMapWidth = width;
  m_nMapHeight = height;
}

void CGoogleMaps::LoadTelemetry(const std::string& path, int bPresent, int64_t nClipSec) {
  m_core.LoadTelemetry(path, bPresent, nClipSec);
}

void CGoogleMaps::ShowMap() {
  // Before the page loads: its first view is centred on this position.
  m_core.WriteStartPos();
  m_core.MarkShown();
  if (m_hWnd != NULL) m_probe.Request(m_hWnd, kProbeAnswerMessage);
}

void CGoogleMaps::UpdateTargetPos(int64_t row, int update) { m_core.UpdateTargetPos(row, update); }

void CGoogleMaps::WriteLinePath() { m_core.WriteLinePath(); }

void CGoogleMaps::WriteMapPage() { m_core.WriteMapPage(); }

int CGoogleMaps::OnLayout(bool first, int bSizeChanged) {
  return m_core.OnLayout(first, bSizeChanged, [this] { ShowMap(); });
}

void CGoogleMaps::SetProbe(std::string address, CConnectionProbe::ProbeFunction probe) {
  m_probe.Configure(std::move(address), probe);
}

BOOL CGoogleMaps::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) return TRUE;
  return CDialogBase::PreTranslateMessage(msg);
}

void CGoogleMaps::DoDataExchange(CDataExchange& dx) { DDX_Control(dx, kWebViewPlaceId, m_webView); }

BOOL CGoogleMaps::OnInitDialog() {
  UpdateData(FALSE);
  // A web view that failed is closed by its host; the main window then shows
  // its offline picture (saying the map, not the connection, failed) and the
  // tick retries the map.
  m_webView.SetFailureHandler([this] {
    HideWebView();
    SetMapUnavailable();
  });
  return TRUE;
}

bool CGoogleMaps::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg != kProbeAnswerMessage) return false;
  bool reachable = false;
  if (m_probe.TakeAnswer(wParam, lParam, reachable)) OnProbeAnswer(reachable);
  result = 0;
  return true;
}

void CGoogleMaps::OnProbeAnswer(bool reachable) {
  if (!reachable) {
    HideWebView();
    SetInternetOk(0);
    return;
  }
  WriteMapPage();
  const RECT area = {0, 0, m_nMapWidth, m_nMapHeight};
  m_webView.ShowPage(m_core.PagePath(), area);
  if (m_webView.GetSafeHwnd() != NULL) ShowWindow(m_webView.GetSafeHwnd(), SW_SHOW);
  SetInternetOk(1);
}

void CGoogleMaps::HideWebView() {
  if (m_webView.GetSafeHwnd() != NULL) ShowWindow(m_webView.GetSafeHwnd(), SW_HIDE);
}

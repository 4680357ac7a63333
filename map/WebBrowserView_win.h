// The map window's place for the web view (IDC_MAP_WEBVIEW): creates the host on
// the first page, afterwards only resizes it and navigates.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Subclass_win.h"
#include "map/WebBrowser_win.h"

class CWebBrowserView : public CSubclassWnd {
 public:
  CWebBrowserView() = default;
  ~CWebBrowserView() override;

  // Shows the page at `address` in a host of the rectangle's size (right and
  // bottom). Before the web view exists the address is only stored; the page
  // follows when creation completes.
  void ShowPage(const std::string& address, const RECT& rect);

  // Called when the web view failed and has been closed.
  void SetFailureHandler(std::function<void()> handler) { m_onFailure = std::move(handler); }

  CWebBrowser* Browser() const { return m_pBrowser.get(); }
  const std::string& Address() const { return m_strAddress; }

 private:
  void OnCreated();
  void OnTitleChanged();

  std::unique_ptr<CWebBrowser> m_pBrowser;
  std::string m_strAddress;
  std::function<void()> m_onFailure;
};

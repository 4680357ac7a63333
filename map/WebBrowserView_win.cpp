#include "map/WebBrowserView_win.h"

#include <utility>

CWebBrowserView::~CWebBrowserView() {
  m_pBrowser.reset();  // the host window goes while its parent still exists
}

void CWebBrowserView::ShowPage(const std::string& address, const RECT& rect) {
  m_strAddress = address;
  // A host whose web view failed is replaced, so that a later show can recover.
  if (m_pBrowser && !m_pBrowser->Failed()) {
    SetWindowPos(m_pBrowser->GetSafeHwnd(), HWND_TOP, 0, 0, rect.right, rect.bottom,
                 SWP_NOMOVE | SWP_NOOWNERZORDER);
    m_pBrowser->Stop();
    m_pBrowser->Navigate(m_strAddress, nullptr);
    return;
  }
  m_pBrowser = std::make_unique<CWebBrowser>();
  if (!m_pBrowser->CreateHostWindow(nullptr, "", WS_CHILD | WS_VISIBLE, rect, GetSafeHwnd(), 1))
    return;
  m_pBrowser->SetCallback(CWebBrowser::kCreated, [this] { OnCreated(); });
  m_pBrowser->SetCallback(CWebBrowser::kFailed, [this] {
    if (m_onFailure) m_onFailure();
  });
  m_pBrowser->StartCreation();
}

void CWebBrowserView::OnCreated() {
  m_pBrowser->SetOwner(this);
  if (ICoreWebView2Settings* settings = m_pBrowser->Settings())
    settings->put_AreDefaultScriptDialogsEnabled(FALSE);
  m_pBrowser->Navigate(m_strAddress, nullptr);
  m_pBrowser->SetCallback(CWebBrowser::kTitleChanged, [this] { OnTitleChanged(); });
}

// The page's title becomes the text of the program's main window.
void CWebBrowserView::OnTitleChanged() {
  HWND main = GetAncestor(GetSafeHwnd(), GA_ROOT);
  if (main != NULL) SetWindowTextA(main, m_pBrowser->Title().c_str());
}

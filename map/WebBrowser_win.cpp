#include "map/WebBrowser_win.h"

#include <utility>

#include "framework/ExceptionReport_win.h"
#include "framework/Trace_win.h"
#include "map/WebViewFolders_win.h"
#include "map/web_address.h"

CWebBrowser::CWebBrowser() : m_pSelf(std::make_shared<CWebBrowser*>(this)) {}

CWebBrowser::~CWebBrowser() {
  *m_pSelf = nullptr;
  if (m_hWnd != NULL) SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
  DropPostedCallbacks();
  CloseWebView();
  if (m_hWnd != NULL) DestroyWindow(m_hWnd);
}

bool CWebBrowser::Create(const char* className, const char* windowName, DWORD style,
                         const RECT& rect, HWND parent, UINT id) {
  if (!CreateHostWindow(className, windowName, style, rect, parent, id)) return false;
  StartCreation();
  return true;
}

bool CWebBrowser::CreateHostWindow(const char* className, const char* windowName, DWORD style,
                                   const RECT& rect, HWND parent, UINT id) {
  if (m_hWnd != NULL) return false;
  if (className == nullptr) {
    // Once per process; a failed registration shows up as a failed creation.
    static const ATOM registered = [] {
      WNDCLASSEXA wc = {};
      wc.cbSize = sizeof(wc);
      wc.style = CS_HREDRAW | CS_VREDRAW;
      wc.lpfnWndProc = &CWebBrowser::HostProc;
      wc.hInstance = GetModuleHandleA(NULL);
      wc.hCursor = LoadCursor(NULL, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = kClassName;
      return RegisterClassExA(&wc);
    }();
    (void)registered;
    className = kClassName;
  }
  m_hWnd = CreateWindowExA(0, className, windowName, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                           GetModuleHandleA(NULL), nullptr);
  if (m_hWnd == NULL) return false;
  SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

void CWebBrowser::Navigate(const std::string& address, Callback callback) {
  if (!m_pWebView) return;
  m_callbacks[kNavigationCompleted] = std::move(callback);
  const std::wstring uri = WidenText(CompleteWebAddress(address));
  HRESULT hr = m_pWebView->Navigate(uri.c_str());
  if (FAILED(hr))
    TraceFormat("CWebBrowser: Navigate failed (0x%08lX)\n", static_cast<unsigned long>(hr));
}

void CWebBrowser::Stop() {
  if (m_pWebView) m_pWebView->Stop();
}

void CWebBrowser::CloseWebView() {
  if (m_pWebView) {
    m_pWebView->remove_NavigationCompleted(m_navigationCompletedToken);
    m_pWebView->remove_NavigationStarting(m_navigationStartingToken);
    m_pWebView->remove_DocumentTitleChanged(m_documentTitleChangedToken);
  }
  // Also a controller whose web view could not be had is closed.
  if (m_pController) m_pController->Close();
  m_pController.Reset();
  m_pWebView.Reset();
  m_pWebView2.Reset();
  m_pSettings.Reset();
  m_pEnvironment2.Reset();
  m_pEnvironment.Reset();
}

void CWebBrowser::ResizeToClientArea() {
  if (!m_pController || m_hWnd == NULL) return;
  RECT bounds = {};
  GetClientRect(m_hWnd, &bounds);
  m_pController->put_Bounds(bounds);
}

void CWebBrowser::SetCallback(CallbackKind kind, Callback callback) {
  m_callbacks[kind] = std::move(callback);
}

void CWebBrowser::Deliver(CallbackKind kind) {
  auto it = m_callbacks.find(kind);
  if (it != m_callbacks.end() && it->second) Post(it->second);
}

void CWebBrowser::Post(Callback callback) {
  if (m_hWnd == NULL) return;
  auto posted = std::make_unique<Callback>(std::move(callback));
  if (PostMessageA(m_hWnd, kRunCallbackMessage, reinterpret_cast<WPARAM>(posted.get()), 0))
    posted.release();  // the window procedure deletes it
}

void CWebBrowser::DropPostedCallbacks() {
  if (m_hWnd == NULL) return;
  MSG msg;
  while (PeekMessageA(&msg, m_hWnd, kRunCallbackMessage, kRunCallbackMessage, PM_REMOVE))
    std::unique_ptr<Callback>(reinterpret_cast<Callback*>(msg.wParam));
}

LRESULT CALLBACK CWebBrowser::HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CWebBrowser*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_SIZE && lParam != 0 && self->m_pController) {
    self->ResizeToClientArea();
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    // Destroyed with its parent before this object goes: let go of it all now.
    self->DropPostedCallbacks();
    self->CloseWebView();
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_hWnd = NULL;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  if (msg == kRunCallbackMessage) {
    std::unique_ptr<Callback> callback(reinterpret_cast<Callback*>(wParam));
    if (callback && *callback) RunReported(hwnd, [&] { (*callback)(); });
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

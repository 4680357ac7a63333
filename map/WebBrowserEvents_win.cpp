// Creation of the web view and the runtime's events.
#include <cstdio>

#include "framework/MessageBox_win.h"
#include "framework/Trace_win.h"
#include "map/ComHandler_win.h"
#include "map/WebBrowser_win.h"
#include "map/WebView2Loader_win.h"
#include "map/WebViewFolders_win.h"

namespace {

using CoTaskText = CoTaskMem<wchar_t>;

void ShowFailure(const char* what, HRESULT hr) {
  char text[256];
  std::snprintf(text, sizeof text, "%s (0x%08lX)", what, static_cast<unsigned long>(hr));
  ShowMessageBox(NULL, text, "Failure", MB_OK);
}

unsigned long Code(HRESULT hr) { return static_cast<unsigned long>(hr); }

}  // namespace

void CWebBrowser::StartCreation() {
  CloseWebView();
  const std::string& runtimeFolder = WebViewRuntimeFolder();
  const std::string userDataFolder = WebViewUserDataFolder();
  std::shared_ptr<CWebBrowser*> self = m_pSelf;
  auto handler =
      CComHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, HRESULT,
                  ICoreWebView2Environment*>::Make(webview2::IID_EnvironmentCompletedHandler,
                                                   [self](HRESULT result,
                                                          ICoreWebView2Environment* environment) {
                                                     return *self ? (*self)->OnEnvironmentCreated(
                                                                        result, environment)
                                                                  : S_OK;
                                                   });
  if (!handler) return;
  HRESULT hr =
      CreateWebView2Environment(WidenText(runtimeFolder), WidenText(userDataFolder), handler.Get());
  if (FAILED(hr)) {
    ShowFailure(hr == kWebView2NotFound ? "Cannot found the WebView2 component."
                                        : "Cannot create the webview environment.",
                hr);
  }
}

// A failing call no longer ends the process: the web view is closed and the
// owner told, so the main window can show its offline picture instead.
HRESULT CWebBrowser::Fail(const char* call, HRESULT hr) {
  if (m_bFailed) return hr;
  m_bFailed = true;
  TraceFormat("CWebBrowser: %s failed (0x%08lX)\n", call, Code(hr));
  Post([this] {
    CloseWebView();
    auto it = m_callbacks.find(kFailed);
    if (it != m_callbacks.end() && it->second) it->second();
  });
  return hr;
}

HRESULT CWebBrowser::OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment) {
  if (m_bFailed) return S_OK;
  if (FAILED(result)) return Fail("CreateCoreWebView2EnvironmentWithOptions", result);
  if (environment == nullptr) return E_FAIL;
  HRESULT hr = environment->QueryInterface(
      webview2::IID_Environment, reinterpret_cast<void**>(m_pEnvironment.ReleaseAndGetAddressOf()));
  if (SUCCEEDED(hr))
    hr = environment->QueryInterface(
        webview2::IID_Environment2,
        reinterpret_cast<void**>(m_pEnvironment2.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return Fail("QueryInterface(ICoreWebView2Environment)", hr);
  std::shared_ptr<CWebBrowser*> self = m_pSelf;
  auto handler =
      CComHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, HRESULT,
                  ICoreWebView2Controller*>::Make(webview2::IID_ControllerCompletedHandler,
                                                  [self](HRESULT result,
                                                         ICoreWebView2Controller* controller) {
                                                    return *self ? (*self)->OnControllerCreated(
                                                                       result, controller)
                                                                 : S_OK;
                                                  });
  hr =
      handler ? m_pEnvironment->CreateCoreWebView2Controller(m_hWnd, handler.Get()) : E_OUTOFMEMORY;
  if (FAILED(hr)) return Fail("CreateCoreWebView2Controller", hr);
  return S_OK;
}

HRESULT CWebBrowser::OnControllerCreated(HRESULT result, ICoreWebView2Controller* controller) {
  if (m_bFailed) return S_OK;
  if (result != S_OK) {
    ShowFailure("Cannot create webview environment.", result);
    return S_OK;
  }
  if (controller != nullptr) {
    m_pController = controller;
    HRESULT hr = AttachWebView();
    if (FAILED(hr)) return hr;  // already traced, and the web view is being closed
    ResizeToClientArea();
  }
  Deliver(kCreated);
  return S_OK;
}

// The web view of the new controller, its settings and the three event handlers.
HRESULT CWebBrowser::AttachWebView() {
  HRESULT hr = m_pController->get_CoreWebView2(m_pWebView.ReleaseAndGetAddressOf());
  if (FAILED(hr) || !m_pWebView) return Fail("get_CoreWebView2", FAILED(hr) ? hr : E_POINTER);
  hr = m_pWebView->QueryInterface(webview2::IID_WebView2,
                                  reinterpret_cast<void**>(m_pWebView2.ReleaseAndGetAddressOf()));
  if (FAILED(hr)) return Fail("QueryInterface(ICoreWebView2_2)", hr);
  hr = m_pWebView->get_Settings(m_pSettings.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return Fail("get_Settings", hr);

  std::shared_ptr<CWebBrowser*> self = m_pSelf;
  auto completed = CComHandler<ICoreWebView2NavigationCompletedEventHandler, ICoreWebView2*,
                               ICoreWebView2NavigationCompletedEventArgs*>::
      Make(webview2::IID_NavigationCompletedEventHandler,
           [self](ICoreWebView2*, ICoreWebView2NavigationCompletedEventArgs* args) {
             return *self ? (*self)->OnNavigationCompleted(args) : S_OK;
           });
  auto starting = CComHandler<ICoreWebView2NavigationStartingEventHandler, ICoreWebView2*,
                              ICoreWebView2NavigationStartingEventArgs*>::
      Make(webview2::IID_NavigationStartingEventHandler,
           [self](ICoreWebView2*, ICoreWebView2NavigationStartingEventArgs* args) {
             return *self ? (*self)->OnNavigationStarting(args) : S_OK;
           });
  auto title =
      CComHandler<ICoreWebView2DocumentTitleChangedEventHandler, ICoreWebView2*, IUnknown*>::Make(
          webview2::IID_DocumentTitleChangedEventHandler, [self](ICoreWebView2* sender, IUnknown*) {
            return *self ? (*self)->OnDocumentTitleChanged(sender) : S_OK;
          });
  if (!completed || !starting || !title) return Fail("new handler", E_OUTOFMEMORY);
  hr = m_pWebView->add_NavigationCompleted(completed.Get(), &m_navigationCompletedToken);
  if (FAILED(hr)) return Fail("add_NavigationCompleted", hr);
  hr = m_pWebView->add_NavigationStarting(starting.Get(), &m_navigationStartingToken);
  if (FAILED(hr)) return Fail("add_NavigationStarting", hr);
  hr = m_pWebView->add_DocumentTitleChanged(title.Get(), &m_documentTitleChangedToken);
  if (FAILED(hr)) return Fail("add_DocumentTitleChanged", hr);
  return S_OK;
}

HRESULT CWebBrowser::OnNavigationStarting(ICoreWebView2NavigationStartingEventArgs* args) {
  if (m_bFailed || args == nullptr) return S_OK;
  CoTaskText uri;
  HRESULT hr = args->get_Uri(uri.Out());
  if (FAILED(hr)) return Fail("get_Uri", hr);
  m_bNavigating = true;
  return S_OK;
}

HRESULT CWebBrowser::OnNavigationCompleted(ICoreWebView2NavigationCompletedEventArgs* args) {
  if (m_bFailed || args == nullptr) return S_OK;
  m_bNavigating = false;
  BOOL success = FALSE;
  HRESULT hr = args->get_IsSuccess(&success);
  if (FAILED(hr)) return Fail("get_IsSuccess", hr);
  if (!success) {
    // Not shown to the user; the page simply stays as it is.
    COREWEBVIEW2_WEB_ERROR_STATUS status = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
    hr = args->get_WebErrorStatus(&status);
    if (FAILED(hr)) return Fail("get_WebErrorStatus", hr);
  }
  Deliver(kNavigationCompleted);
  return S_OK;
}

HRESULT CWebBrowser::OnDocumentTitleChanged(ICoreWebView2* sender) {
  if (m_bFailed || sender == nullptr) return S_OK;
  CoTaskText title;
  HRESULT hr = sender->get_DocumentTitle(title.Out());
  if (FAILED(hr)) return Fail("get_DocumentTitle", hr);
  m_strTitle = NarrowText(title.Get());
  Deliver(kTitleChanged);
  return S_OK;
}

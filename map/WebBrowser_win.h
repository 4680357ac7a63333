// The web view host: a child window ("WebViewHost") that owns the WebView2
// environment, controller and web view, creates them asynchronously, keeps the
// web view sized to the window, navigates, and tracks navigation and the title.
// Everything runs on the window thread; callbacks to the owner are posted to
// the host window and run from its message queue.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/Owners_win.h"
#include "map/WebView2_win.h"

class CWebBrowserView;

class CWebBrowser {
 public:
  using Callback = std::function<void()>;
  enum CallbackKind : int {
    kCreated = 0,
    kNavigationCompleted = 1,
    kTitleChanged = 2,
    // A WebView2 call failed after creation began: the web view has been closed.
    kFailed = 3,
  };
  // Runs the callback object in wParam (posted by this window) and deletes it.
  static constexpr UINT kRunCallbackMessage = WM_APP + 124;  // 0x807C
  static constexpr char kClassName[] = "WebViewHost";

  CWebBrowser();
  ~CWebBrowser();
  CWebBrowser(const CWebBrowser&) = delete;
  CWebBrowser& operator=(const CWebBrowser&) = delete;

  // CreateHostWindow, then StartCreation.
  bool Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
              HWND parent, UINT id);
  // The host window; the class "WebViewHost" (registered once) when className is null.
  bool CreateHostWindow(const char* className, const char* windowName, DWORD style,
                        const RECT& rect, HWND parent, UINT id);
  // Asks the loader for an environment; the rest follows in its handlers.
  void StartCreation();

  // Only once the web view exists. An address without "://" gets a scheme.
  void Navigate(const std::string& address, Callback callback);
  void Stop();
  void CloseWebView();
  void ResizeToClientArea();

  void SetCallback(CallbackKind kind, Callback callback);
  void SetOwner(CWebBrowserView* owner) { m_pOwner = owner; }

  HWND GetSafeHwnd() const { return m_hWnd; }
  bool HasWebView() const { return m_pWebView != nullptr; }
  bool HasController() const { return m_pController != nullptr; }
  ICoreWebView2Settings* Settings() const { return m_pSettings.Get(); }
  const std::string& Title() const { return m_strTitle; }
  bool Navigating() const { return m_bNavigating; }
  // A call failed after creation began; the web view is (being) closed.
  bool Failed() const { return m_bFailed; }

 private:
  static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Deliver(CallbackKind kind);
  void Post(Callback callback);
  void DropPostedCallbacks();
  // Traces the failed call, then (posted) closes the web view and tells the
  // owner. Returns hr.
  HRESULT Fail(const char* call, HRESULT hr);

  HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment);
  HRESULT OnControllerCreated(HRESULT result, ICoreWebView2Controller* controller);
  HRESULT AttachWebView();
  HRESULT OnNavigationStarting(ICoreWebView2NavigationStartingEventArgs* args);
  HRESULT OnNavigationCompleted(ICoreWebView2NavigationCompletedEventArgs* args);
  HRESULT OnDocumentTitleChanged(ICoreWebView2* sender);

  ComPtr<ICoreWebView2Environment> m_pEnvironment;
  ComPtr<ICoreWebView2Environment2> m_pEnvironment2;
  ComPtr<ICoreWebView2> m_pWebView;
  ComPtr<ICoreWebView2_2> m_pWebView2;
  ComPtr<ICoreWebView2Controller> m_pController;
  ComPtr<ICoreWebView2Settings> m_pSettings;
  std::map<int, Callback> m_callbacks;
  EventRegistrationToken m_navigationCompletedToken = {};
  EventRegistrationToken m_navigationStartingToken = {};
  EventRegistrationToken m_documentTitleChangedToken = {};
  bool m_bNavigating = false;
  bool m_bFailed = false;
  CWebBrowserView* m_pOwner = nullptr;
  std::string m_strTitle;
  // The handlers reach this object through here; cleared when it goes, so a
  // late call from the runtime finds nobody.
  std::shared_ptr<CWebBrowser*> m_pSelf;
  HWND m_hWnd = NULL;  // owned: destroyed with this object
};

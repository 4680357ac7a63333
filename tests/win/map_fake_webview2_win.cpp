// A stand-in WebView2 runtime for the host's tests, built as a
// WebView2Loader.dll of its own: it creates fake environment, controller and
// web view objects, answers asynchronously through the calling thread's message
// queue as the runtime does, logs every call, and fails a chosen call on demand.
#include <windows.h>

#include <wrl/client.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "map/WebView2_win.h"

using Microsoft::WRL::ComPtr;

namespace {

std::string g_log;
std::map<std::string, HRESULT> g_failures;

// A new object held by its one ComPtr: objects are born without a reference and
// the ComPtr takes the first (the same count with every ComPtr implementation).
template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
  return ComPtr<T>(new T(std::forward<Args>(args)...));
}

void Log(const std::string& line) { g_log += line + "\n"; }

HRESULT Failure(const char* call) {
  auto it = g_failures.find(call);
  return it == g_failures.end() ? S_OK : it->second;
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text; ++text) out += static_cast<char>(*text < 128 ? *text : '?');
  return out;
}

LPWSTR CoTaskCopy(const std::wstring& text) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (copy != nullptr) std::copy(text.c_str(), text.c_str() + text.size() + 1, copy);
  return copy;
}

// Later, from the calling thread's message queue, as the runtime's callbacks come.
constexpr UINT kRun = WM_APP + 1;
LRESULT CALLBACK QueueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kRun) return DefWindowProcA(hwnd, msg, wParam, lParam);
  std::unique_ptr<std::function<void()>> job(reinterpret_cast<std::function<void()>*>(wParam));
  (*job)();
  return 0;
}

void Later(std::function<void()> job) {
  static HWND queue = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = QueueProc;
    wc.hInstance = GetModuleHandleA("WebView2Loader.dll");
    wc.lpszClassName = "FakeWebView2Queue";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance,
                           nullptr);
  }();
  PostMessageA(queue, kRun, reinterpret_cast<WPARAM>(new std::function<void()>(std::move(job))), 0);
}

// IUnknown for one object that answers a few interface ids.
template <class Base>
class Unknown : public Base {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (IsEqualIID(riid, IID_IUnknown) || Answers(riid)) {
      *object = static_cast<Base*>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Unknown() = default;
  virtual bool Answers(REFIID riid) const = 0;

 private:
  std::atomic<ULONG> refs{0};
};

#define NOT_USED(...) \
  HRESULT STDMETHODCALLTYPE __VA_ARGS__ override { return E_NOTIMPL; }

class Settings : public Unknown<ICoreWebView2Settings> {
  bool Answers(REFIID riid) const override { return IsEqualIID(riid, webview2::IID_Settings); }
  NOT_USED(get_IsScriptEnabled(BOOL*))
  NOT_USED(put_IsScriptEnabled(BOOL))
  NOT_USED(get_IsWebMessageEnabled(BOOL*))
  NOT_USED(put_IsWebMessageEnabled(BOOL))
  NOT_USED(get_AreDefaultScriptDialogsEnabled(BOOL*))
  HRESULT STDMETHODCALLTYPE put_AreDefaultScriptDialogsEnabled(BOOL enabled) override {
    Log("put_AreDefaultScriptDialogsEnabled(" + std::to_string(enabled) + ")");
    return S_OK;
  }
};

class StartingArgs : public Unknown<ICoreWebView2NavigationStartingEventArgs> {
 public:
  explicit StartingArgs(std::wstring uri) : uri(std::move(uri)) {}
  bool Answers(REFIID riid) const override {
    return IsEqualIID(riid, webview2::IID_NavigationStartingEventArgs);
  }
  HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* out) override {
    if (HRESULT hr = Failure("get_Uri")) return hr;
    *out = CoTaskCopy(uri);
    return S_OK;
  }
  NOT_USED(get_IsUserInitiated(BOOL*))
  NOT_USED(get_IsRedirected(BOOL*))
  NOT_USED(get_RequestHeaders(ICoreWebView2HttpRequestHeaders**))
  NOT_USED(get_Cancel(BOOL*))
  NOT_USED(put_Cancel(BOOL))
  NOT_USED(get_NavigationId(UINT64*))

 private:
  std::wstring uri;
};

class CompletedArgs : public Unknown<ICoreWebView2NavigationCompletedEventArgs> {
  bool Answers(REFIID riid) const override {
    return IsEqualIID(riid, webview2::IID_NavigationCompletedEventArgs);
  }
  HRESULT STDMETHODCALLTYPE get_IsSuccess(BOOL* success) override {
    *success = TRUE;
    return S_OK;
  }
  NOT_USED(get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS*))
  NOT_USED(get_NavigationId(UINT64*))
};

class WebView : public Unknown<ICoreWebView2_2> {
 public:
  bool Answers(REFIID riid) const override {
    return IsEqualIID(riid, webview2::IID_WebView) || IsEqualIID(riid, webview2::IID_WebView2);
  }
  HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings** out) override {
    Log("get_Settings");
    *out = settings.Get();
    settings->AddRef();
    return S_OK;
  }
  NOT_USED(get_Source(LPWSTR*))
  HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) override {
    Log("Navigate(" + Narrow(uri) + ")");
    ComPtr<WebView> self(this);
    std::wstring target = uri;
    Later([self, target] { self->RunNavigation(target); });
    return S_OK;
  }
  NOT_USED(NavigateToString(LPCWSTR))
  HRESULT STDMETHODCALLTYPE add_NavigationStarting(ICoreWebView2NavigationStartingEventHandler* h,
                                                   EventRegistrationToken* token) override {
    return Add("add_NavigationStarting", starting, h, token);
  }
  HRESULT STDMETHODCALLTYPE remove_NavigationStarting(EventRegistrationToken token) override {
    return Remove("remove_NavigationStarting", starting, token);
  }
  NOT_USED(add_ContentLoading(ICoreWebView2ContentLoadingEventHandler*, EventRegistrationToken*))
  NOT_USED(remove_ContentLoading(EventRegistrationToken))
  NOT_USED(add_SourceChanged(ICoreWebView2SourceChangedEventHandler*, EventRegistrationToken*))
  NOT_USED(remove_SourceChanged(EventRegistrationToken))
  NOT_USED(add_HistoryChanged(ICoreWebView2HistoryChangedEventHandler*, EventRegistrationToken*))
  NOT_USED(remove_HistoryChanged(EventRegistrationToken))
  HRESULT STDMETHODCALLTYPE add_NavigationCompleted(ICoreWebView2NavigationCompletedEventHandler* h,
                                                    EventRegistrationToken* token) override {
    return Add("add_NavigationCompleted", completed, h, token);
  }
  HRESULT STDMETHODCALLTYPE remove_NavigationCompleted(EventRegistrationToken token) override {
    return Remove("remove_NavigationCompleted", completed, token);
  }
  NOT_USED(add_FrameNavigationStarting(ICoreWebView2NavigationStartingEventHandler*,
                                       EventRegistrationToken*))
  NOT_USED(remove_FrameNavigationStarting(EventRegistrationToken))
  NOT_USED(add_FrameNavigationCompleted(ICoreWebView2NavigationCompletedEventHandler*,
                                        EventRegistrationToken*))
  NOT_USED(remove_FrameNavigationCompleted(EventRegistrationToken))
  NOT_USED(add_ScriptDialogOpening(ICoreWebView2ScriptDialogOpeningEventHandler*,
                                   EventRegistrationToken*))
  NOT_USED(remove_ScriptDialogOpening(EventRegistrationToken))
  NOT_USED(add_PermissionRequested(ICoreWebView2PermissionRequestedEventHandler*,
                                   EventRegistrationToken*))
  NOT_USED(remove_PermissionRequested(EventRegistrationToken))
  NOT_USED(add_ProcessFailed(ICoreWebView2ProcessFailedEventHandler*, EventRegistrationToken*))
  NOT_USED(remove_ProcessFailed(EventRegistrationToken))
  NOT_USED(AddScriptToExecuteOnDocumentCreated(
      LPCWSTR, ICoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler*))
  NOT_USED(RemoveScriptToExecuteOnDocumentCreated(LPCWSTR))
  NOT_USED(ExecuteScript(LPCWSTR, ICoreWebView2ExecuteScriptCompletedHandler*))
  NOT_USED(CapturePreview(int, IStream*, ICoreWebView2CapturePreviewCompletedHandler*))
  NOT_USED(Reload())
  NOT_USED(PostWebMessageAsJson(LPCWSTR))
  NOT_USED(PostWebMessageAsString(LPCWSTR))
  NOT_USED(add_WebMessageReceived(ICoreWebView2WebMessageReceivedEventHandler*,
                                  EventRegistrationToken*))
  NOT_USED(remove_WebMessageReceived(EventRegistrationToken))
  NOT_USED(CallDevToolsProtocolMethod(LPCWSTR, LPCWSTR,
                                      ICoreWebView2CallDevToolsProtocolMethodCompletedHandler*))
  NOT_USED(get_BrowserProcessId(UINT32*))
  NOT_USED(get_CanGoBack(BOOL*))
  NOT_USED(get_CanGoForward(BOOL*))
  NOT_USED(GoBack())
  NOT_USED(GoForward())
  NOT_USED(GetDevToolsProtocolEventReceiver(LPCWSTR, ICoreWebView2DevToolsProtocolEventReceiver**))
  HRESULT STDMETHODCALLTYPE Stop() override {
    Log("Stop");
    return S_OK;
  }
  NOT_USED(add_NewWindowRequested(ICoreWebView2NewWindowRequestedEventHandler*,
                                  EventRegistrationToken*))
  NOT_USED(remove_NewWindowRequested(EventRegistrationToken))
  HRESULT STDMETHODCALLTYPE add_DocumentTitleChanged(
      ICoreWebView2DocumentTitleChangedEventHandler* h, EventRegistrationToken* token) override {
    return Add("add_DocumentTitleChanged", titleChanged, h, token);
  }
  HRESULT STDMETHODCALLTYPE remove_DocumentTitleChanged(EventRegistrationToken token) override {
    return Remove("remove_DocumentTitleChanged", titleChanged, token);
  }
  HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR* out) override {
    if (HRESULT hr = Failure("get_DocumentTitle")) return hr;
    *out = CoTaskCopy(title);
    return S_OK;
  }

 private:
  template <class Handler>
  HRESULT Add(const char* name, ComPtr<Handler>& slot, Handler* h, EventRegistrationToken* token) {
    token->value = ++lastToken;
    Log(std::string(name) + " -> " + std::to_string(token->value));
    slot = h;
    return S_OK;
  }
  template <class Handler>
  HRESULT Remove(const char* name, ComPtr<Handler>& slot, EventRegistrationToken token) {
    Log(std::string(name) + "(" + std::to_string(token.value) + ")");
    slot.Reset();
    return S_OK;
  }
  // What a page load reports: starting, completed, then the new title.
  void RunNavigation(const std::wstring& uri) {
    if (starting) starting->Invoke(this, Make<StartingArgs>(uri).Get());
    if (completed) completed->Invoke(this, Make<CompletedArgs>().Get());
    title = L"Title of " + uri;
    if (titleChanged) titleChanged->Invoke(this, nullptr);
  }

  ComPtr<Settings> settings = Make<Settings>();
  ComPtr<ICoreWebView2NavigationStartingEventHandler> starting;
  ComPtr<ICoreWebView2NavigationCompletedEventHandler> completed;
  ComPtr<ICoreWebView2DocumentTitleChangedEventHandler> titleChanged;
  std::wstring title;
  int64_t lastToken = 100;
};

class Controller : public Unknown<ICoreWebView2Controller> {
  bool Answers(REFIID riid) const override { return IsEqualIID(riid, webview2::IID_Controller); }
  NOT_USED(get_IsVisible(BOOL*))
  NOT_USED(put_IsVisible(BOOL))
  NOT_USED(get_Bounds(RECT*))
  HRESULT STDMETHODCALLTYPE put_Bounds(RECT r) override {
    char text[96];
    std::snprintf(text, sizeof text, "put_Bounds(%ld,%ld,%ld,%ld)", r.left, r.top, r.right,
                  r.bottom);
    Log(text);
    return S_OK;
  }
  NOT_USED(get_ZoomFactor(double*))
  NOT_USED(put_ZoomFactor(double))
  NOT_USED(add_ZoomFactorChanged(ICoreWebView2ZoomFactorChangedEventHandler*,
                                 EventRegistrationToken*))
  NOT_USED(remove_ZoomFactorChanged(EventRegistrationToken))
  NOT_USED(SetBoundsAndZoomFactor(RECT, double))
  NOT_USED(MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON))
  NOT_USED(add_MoveFocusRequested(ICoreWebView2MoveFocusRequestedEventHandler*,
                                  EventRegistrationToken*))
  NOT_USED(remove_MoveFocusRequested(EventRegistrationToken))
  NOT_USED(add_GotFocus(ICoreWebView2FocusChangedEventHandler*, EventRegistrationToken*))
  NOT_USED(remove_GotFocus(EventRegistrationToken))
  NOT_USED(add_LostFocus(ICoreWebView2FocusChangedEventHandler*, EventRegistrationToken*))
  NOT_USED(remove_LostFocus(EventRegistrationToken))
  NOT_USED(add_AcceleratorKeyPressed(ICoreWebView2AcceleratorKeyPressedEventHandler*,
                                     EventRegistrationToken*))
  NOT_USED(remove_AcceleratorKeyPressed(EventRegistrationToken))
  NOT_USED(get_ParentWindow(HWND*))
  NOT_USED(put_ParentWindow(HWND))
  NOT_USED(NotifyParentWindowPositionChanged())
  HRESULT STDMETHODCALLTYPE Close() override {
    Log("Close");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** out) override {
    Log("get_CoreWebView2");
    if (HRESULT hr = Failure("get_CoreWebView2")) return hr;
    *out = webView.Get();
    webView->AddRef();
    return S_OK;
  }

  ComPtr<WebView> webView = Make<WebView>();
};

class Environment : public Unknown<ICoreWebView2Environment2> {
  bool Answers(REFIID riid) const override {
    return IsEqualIID(riid, webview2::IID_Environment) ||
           IsEqualIID(riid, webview2::IID_Environment2);
  }
  HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
      HWND parent, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) override {
    Log(std::string("CreateCoreWebView2Controller(") + (IsWindow(parent) ? "window" : "none") +
        ")");
    if (HRESULT hr = Failure("CreateCoreWebView2Controller")) return hr;
    ComPtr<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> keep(handler);
    Later([keep] {
      HRESULT result = Failure("controller");
      ComPtr<Controller> controller = FAILED(result) ? nullptr : Make<Controller>();
      keep->Invoke(result, controller.Get());
    });
    return S_OK;
  }
  NOT_USED(CreateWebResourceResponse(IStream*, int, LPCWSTR, LPCWSTR,
                                     ICoreWebView2WebResourceResponse**))
  NOT_USED(get_BrowserVersionString(LPWSTR*))
  NOT_USED(add_NewBrowserVersionAvailable(ICoreWebView2NewBrowserVersionAvailableEventHandler*,
                                          EventRegistrationToken*))
  NOT_USED(remove_NewBrowserVersionAvailable(EventRegistrationToken))
};

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserFolder, PCWSTR userDataFolder, ICoreWebView2EnvironmentOptions*,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
  Log("CreateEnvironment(" + Narrow(browserFolder) + "|" + Narrow(userDataFolder) + ")");
  if (HRESULT hr = Failure("loader")) return hr;
  ComPtr<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler> keep(handler);
  Later([keep] {
    HRESULT result = Failure("environment");
    ComPtr<Environment> environment = FAILED(result) ? nullptr : Make<Environment>();
    keep->Invoke(result, environment.Get());
  });
  return S_OK;
}

// Test controls: the call log, and a call that is to fail with a code.
__declspec(dllexport) const char* FakeWebView2Log() { return g_log.c_str(); }
__declspec(dllexport) void FakeWebView2Reset() {
  g_log.clear();
  g_failures.clear();
}
__declspec(dllexport) void FakeWebView2Fail(const char* call, HRESULT hr) { g_failures[call] = hr; }

}  // extern "C"

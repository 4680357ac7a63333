// The web view host against a stand-in runtime (tests/win's own
// WebView2Loader.dll): creation, posted callbacks, navigation with completed
// addresses, bounds, closing, and the failures that no longer end the process.
#include <gtest/gtest.h>

#include <memory>

#include "map/ComHandler_win.h"
#include "map/GoogleMaps_win.h"
#include "map/WebBrowserView_win.h"
#include "map/WebView2Loader_win.h"
#include "map/internet_ok.h"
#include "map_test_support_win.h"
#include "map_tests_win.h"

using namespace maptest;

namespace {

bool Has(const std::string& log, const std::string& line) {
  return log.find(line + "\n") != std::string::npos;
}

bool Visible(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

std::string WindowText(HWND hwnd) {
  char text[512] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

class WebHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime.Loaded()) << "no stand-in runtime at " << g_fakeLoaderPath;
    runtime.Reset();
    SetWebView2LoaderPath(g_fakeLoaderPath);
    ASSERT_TRUE(view.Attach(parent.Placeholder()));
  }
  void TearDown() override { SetWebView2LoaderPath("WebView2Loader.dll"); }

  // Shows a page and waits until the stand-in has navigated to it.
  void ShowAndWait(const std::string& address, const RECT& rect) {
    view.ShowPage(address, rect);
    ASSERT_TRUE(PumpUntil([&] { return runtime.Log().find("Navigate(") != std::string::npos; }))
        << runtime.Log();
  }

  FakeRuntime runtime{g_fakeLoaderPath};
  ParentWindow parent;
  CWebBrowserView view;
};

}  // namespace

TEST_F(WebHost, FirstPageCreatesTheWebViewThenNavigatesThroughPostedCallbacks) {
  view.ShowPage("C:\\Temp\\GM_tmp1.html", RECT{0, 0, 320, 240});
  CWebBrowser* browser = view.Browser();
  ASSERT_NE(browser, nullptr);
  // Nothing has happened yet but the request: the rest comes from the queue.
  EXPECT_FALSE(browser->HasWebView());
  EXPECT_EQ(GetParent(browser->GetSafeHwnd()), parent.Placeholder());
  char cls[64] = "";
  GetClassNameA(browser->GetSafeHwnd(), cls, sizeof cls);
  EXPECT_STREQ(cls, "WebViewHost");
  ASSERT_TRUE(PumpUntil([&] { return browser->Title() != ""; })) << runtime.Log();
  const std::string log = runtime.Log();
  const char* const order[] = {"CreateEnvironment(|",
                               "PlayerWebView)",
                               "CreateCoreWebView2Controller(window)",
                               "get_CoreWebView2",
                               "get_Settings",
                               "add_NavigationCompleted -> 101",
                               "add_NavigationStarting -> 102",
                               "add_DocumentTitleChanged -> 103",
                               "put_Bounds(0,0,320,240)",
                               "put_AreDefaultScriptDialogsEnabled(0)",
                               "Navigate(file://C:\\Temp\\GM_tmp1.html)"};
  size_t at = 0;
  for (const char* step : order) {
    at = log.find(step, at);
    ASSERT_NE(at, std::string::npos) << step << " missing or out of order in\n" << log;
  }
  EXPECT_NE(log.find("\\(\\Demos\\)\\PlayerWebView)"), std::string::npos) << log;
  // The title callback names the main window after the page.
  EXPECT_EQ(browser->Title(), "Title of file://C:\\Temp\\GM_tmp1.html");
  EXPECT_TRUE(PumpUntil([&] { return WindowText(parent.Top()) == browser->Title(); }));
  EXPECT_FALSE(browser->Navigating());
}

TEST_F(WebHost, AddressesAreCompletedBeforeNavigating) {
  ShowAndWait("https://a.test/page", RECT{0, 0, 100, 100});
  CWebBrowser* browser = view.Browser();
  const std::pair<const char*, const char*> cases[] = {
      {"https://a.test/x", "Navigate(https://a.test/x)"},
      {"C:\\x.html", "Navigate(file://C:\\x.html)"},
      {"example", "Navigate(http://example)"},
      {"x", "Navigate(http://x)"},
  };
  for (const auto& c : cases) {
    runtime.Reset();
    browser->Navigate(c.first, nullptr);
    EXPECT_EQ(runtime.Log().substr(0, runtime.Log().find('\n')), c.second);
  }
  EXPECT_TRUE(Has(runtime.Log(), "Navigate(http://x)"));
}

TEST_F(WebHost, LaterPagesResizeAndRenavigateTheSameWebView) {
  ShowAndWait("C:\\a.html", RECT{0, 0, 320, 240});
  CWebBrowser* browser = view.Browser();
  runtime.Reset();
  view.ShowPage("C:\\b.html", RECT{0, 0, 200, 100});
  EXPECT_EQ(view.Browser(), browser);
  RECT r = {};
  GetClientRect(browser->GetSafeHwnd(), &r);
  EXPECT_EQ(r.right, 200);
  EXPECT_EQ(r.bottom, 100);
  const std::string log = runtime.Log();
  EXPECT_EQ(log.find("CreateEnvironment"), std::string::npos) << log;
  EXPECT_LT(log.find("put_Bounds(0,0,200,100)"), log.find("Stop\n")) << log;
  EXPECT_LT(log.find("Stop\n"), log.find("Navigate(file://C:\\b.html)")) << log;
}

TEST_F(WebHost, ZeroSizeWmSizeLeavesTheBoundsAlone) {
  ShowAndWait("C:\\a.html", RECT{0, 0, 320, 240});
  HWND host = view.Browser()->GetSafeHwnd();
  runtime.Reset();
  SendMessageA(host, WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_EQ(runtime.Log(), "");
  SendMessageA(host, WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 60));
  EXPECT_EQ(runtime.Log(), "put_Bounds(0,0,320,240)\n");  // the client rectangle
}

TEST_F(WebHost, CloseWebViewRemovesTheHandlersAndClosesTheController) {
  ShowAndWait("C:\\a.html", RECT{0, 0, 320, 240});
  CWebBrowser* browser = view.Browser();
  runtime.Reset();
  browser->CloseWebView();
  EXPECT_EQ(runtime.Log(),
            "remove_NavigationCompleted(101)\nremove_NavigationStarting(102)\n"
            "remove_DocumentTitleChanged(103)\nClose\n");
  EXPECT_FALSE(browser->HasWebView());
  EXPECT_FALSE(browser->HasController());
  runtime.Reset();
  browser->Navigate("C:\\a.html", nullptr);  // nothing to navigate any more
  EXPECT_EQ(runtime.Log(), "");
}

TEST_F(WebHost, CreationRefusedOrControllerFailedIsShownInAMessageBox) {
  struct Case {
    const char* call;
    HRESULT hr;
    const char* text;
  };
  const Case cases[] = {
      {"loader", HRESULT(0x80070002), "Cannot found the WebView2 component. (0x80070002)"},
      {"loader", E_OUTOFMEMORY, "Cannot create the webview environment. (0x8007000E)"},
      {"controller", E_ACCESSDENIED, "Cannot create webview environment. (0x80070005)"},
  };
  for (const Case& c : cases) {
    runtime.Reset();
    runtime.Fail(c.call, c.hr);
    CWebBrowserView place;
    ASSERT_TRUE(place.Attach(parent.Top()));
    BoxRecorder boxes;
    place.ShowPage("C:\\a.html", RECT{0, 0, 100, 100});
    ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); })) << c.text;
    PumpFor(50);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, c.text);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Failure");
    EXPECT_FALSE(place.Browser()->HasWebView());
  }
}

// Calls whose failure used to end the process: traced with the code, web view
// closed and hidden, offline picture instead; the next show starts afresh.
TEST_F(WebHost, FailuresDuringCreationOrInEventsCloseAndHideTheWebView) {
  view.Detach();
  const char* const calls[] = {"environment", "CreateCoreWebView2Controller", "get_CoreWebView2",
                               "get_Uri", "get_DocumentTitle"};
  for (const char* call : calls) {
    runtime.Reset();
    runtime.Fail(call, E_FAIL);
    TraceRecorder traces;
    CGoogleMaps maps;
    ASSERT_TRUE(maps.Create(parent.Placeholder()));
    maps.SetMapArea(300, 200);
    maps.SetProbe("", [](const std::string&) { return true; });
    HWND place = GetDlgItem(maps.GetSafeHwnd(), CGoogleMaps::kWebViewPlaceId);
    SetInternetOk(1);
    maps.ShowMap();
    ASSERT_TRUE(PumpUntil([] { return GetInternetOk() == 0; })) << call << "\n" << runtime.Log();
    EXPECT_FALSE(Visible(place)) << call;
    // The probe passed: the panel must not blame the connection.
    EXPECT_EQ(GetMapOffReason(), MapOffReason::kMapUnavailable) << call;
    CWebBrowser* failed = maps.WebView().Browser();
    ASSERT_NE(failed, nullptr);
    EXPECT_TRUE(failed->Failed());
    EXPECT_FALSE(failed->HasWebView());
    EXPECT_NE(traces.Text().find("failed (0x80004005)"), std::string::npos) << traces.Text();
    if (runtime.Log().find("get_CoreWebView2") != std::string::npos) {
      EXPECT_TRUE(Has(runtime.Log(), "Close")) << call << "\n" << runtime.Log();
    }

    // The tick's retry: a new host, which works once the runtime does.
    runtime.Reset();
    maps.ShowMap();
    ASSERT_TRUE(PumpUntil([&] {
      return Has(runtime.Log(), "Navigate(file://" + maps.PagePath() + ")");
    })) << call
        << "\n"
        << runtime.Log();
    EXPECT_NE(maps.WebView().Browser(), nullptr);
    EXPECT_EQ(GetInternetOk(), 1);
    EXPECT_TRUE(Visible(place));
  }
}

TEST_F(WebHost, DestroyedWithItsParentTheHostLetsGoAtOnce) {
  HWND place = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent.Top(),
                               NULL, GetModuleHandleA(NULL), nullptr);
  auto other = std::make_unique<CWebBrowserView>();
  ASSERT_TRUE(other->Attach(place));
  other->ShowPage("C:\\a.html", RECT{0, 0, 100, 100});
  ASSERT_TRUE(PumpUntil([&] { return Has(runtime.Log(), "Navigate(file://C:\\a.html)"); }));
  runtime.Reset();
  DestroyWindow(place);
  EXPECT_EQ(other->Browser()->GetSafeHwnd(), (HWND)NULL);
  EXPECT_TRUE(Has(runtime.Log(), "Close")) << runtime.Log();
  other.reset();  // nothing left to destroy twice
  PumpFor(50);
}

// Each handler holds what its callable captured; a leaked one keeps the host's
// state alive for the rest of the program.
TEST_F(WebHost, NoHandlerOutlivesItsHost) {
  const long before = ComHandlersAlive();
  {
    CGoogleMaps maps;
    ASSERT_TRUE(maps.Create(parent.Placeholder()));
    maps.SetMapArea(300, 200);
    maps.SetProbe("", [](const std::string&) { return true; });
    maps.ShowMap();
    ASSERT_TRUE(PumpUntil([&] {
      return Has(runtime.Log(), "Navigate(file://" + maps.PagePath() + ")");
    })) << runtime.Log();
    PumpFor(50);
    EXPECT_GT(ComHandlersAlive(), before);  // the three event handlers at least
    maps.DestroyWindow();
  }
  PumpFor(100);  // the stand-in lets go of its handlers from its queue, as the runtime does
  EXPECT_EQ(ComHandlersAlive(), before);
}

// The map window under Wine: the probe on its worker thread, the offline and
// online answers, the page in the window's folder, the key filter.
#include <gtest/gtest.h>

#include <atomic>

#include "framework/Owners_win.h"
#include "map/GoogleMaps_win.h"
#include "map/WebView2Loader_win.h"
#include "map/internet_ok.h"
#include "map_test_support_win.h"

using namespace maptest;

namespace {

// A probe that blocks until the test lets it answer; answers "offline".
std::atomic<int> g_probes{0};
HANDLE g_release = NULL;  // auto-reset: one probe per SetEvent

bool BlockingProbe(const std::string&) {
  ++g_probes;
  WaitForSingleObject(g_release, 10000);
  return false;
}

bool Reachable(const std::string&) { return true; }

class MapWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    g_probes = 0;
    release.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    g_release = release.Get();
    // No loader. (The default name would find the stand-in once a test loaded it.)
    SetWebView2LoaderPath("C:\\no-such-folder\\WebView2Loader.dll");
    ASSERT_TRUE(maps.Create(parent.Placeholder()));
    maps.SetMapArea(300, 200);
    place = GetDlgItem(maps.GetSafeHwnd(), CGoogleMaps::kWebViewPlaceId);
    ASSERT_NE(place, (HWND)NULL);
    SetInternetOk(1);
  }
  void TearDown() override {
    SetEvent(release.Get());  // no worker left waiting
    PumpUntil([&] { return !maps.ProbeInFlight(); });
  }
  bool Visible(HWND hwnd) const { return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

  KernelHandle release;
  ParentWindow parent;
  CGoogleMaps maps;
  HWND place = NULL;
};

}  // namespace

TEST_F(MapWindow, OfflineProbeClearsTheFlagAndHidesTheWebViewWithoutBlocking) {
  const std::string position = maps.Folder() + "target_pos.js";
  DeleteFileA(position.c_str());
  ShowWindow(place, SW_SHOW);
  maps.SetProbe("http://127.0.0.1:9/", &BlockingProbe);
  // Returns while the probe still blocks: the window thread goes on.
  maps.ShowMap();
  EXPECT_TRUE(maps.ShownOnce());
  EXPECT_TRUE(maps.ProbeInFlight());
  EXPECT_EQ(ReadFile(position), "var TARGET_POS = { lat: 0.000000, lng : 0.000000, update : 0 };");
  ASSERT_TRUE(PumpUntil([] { return g_probes == 1; }));
  PumpFor(100);
  EXPECT_EQ(GetInternetOk(), 1);  // nothing decided before the answer
  EXPECT_TRUE(Visible(place));
  SetEvent(release.Get());
  ASSERT_TRUE(PumpUntil([&] { return !maps.ProbeInFlight(); }));
  EXPECT_EQ(GetInternetOk(), 0);
  EXPECT_EQ(GetMapOffReason(), MapOffReason::kNoConnection);
  EXPECT_FALSE(Visible(place));
}

TEST_F(MapWindow, RequestsDuringAProbeAreServedOnceAfterIt) {
  maps.SetProbe("http://127.0.0.1:9/", &BlockingProbe);
  maps.ShowMap();
  maps.ShowMap();
  maps.OnLayout(false, 1);  // a resize asks for the map again too
  ASSERT_TRUE(PumpUntil([] { return g_probes == 1; }));
  PumpFor(100);
  EXPECT_EQ(g_probes, 1);  // one in flight
  SetEvent(release.Get());
  ASSERT_TRUE(PumpUntil([] { return g_probes == 2; }));  // the remembered one, after the answer
  EXPECT_EQ(GetInternetOk(), 0);
  EXPECT_TRUE(maps.ProbeInFlight());
  SetEvent(release.Get());
  ASSERT_TRUE(PumpUntil([&] { return !maps.ProbeInFlight(); }));
  PumpFor(100);
  EXPECT_EQ(g_probes, 2);
}

TEST_F(MapWindow, AProbeMayOutliveItsWindow) {
  {
    CGoogleMaps gone;
    ASSERT_TRUE(gone.Create(parent.Placeholder()));
    gone.SetProbe("", &BlockingProbe);
    gone.ShowMap();
    ASSERT_TRUE(PumpUntil([] { return g_probes == 1; }));
  }
  SetEvent(release.Get());  // the answer finds no window and is dropped
  PumpFor(200);
  EXPECT_EQ(GetInternetOk(), 1);
}

TEST_F(MapWindow, RealProbeOfLoopbackPorts) {
  // Nothing listens: offline.
  maps.SetProbe("http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/",
                &CConnectionProbe::CheckConnection);
  maps.ShowMap();
  ASSERT_TRUE(PumpUntil([&] { return !maps.ProbeInFlight(); }, 20000));
  EXPECT_EQ(GetInternetOk(), 0);
  EXPECT_FALSE(Visible(place));

  // A listener: online, so the page is written and shown. Without a WebView2
  // loader the message box says so and the program goes on.
  LoopbackListener listener;
  ASSERT_NE(listener.Port(), 0);
  maps.SetProbe("http://127.0.0.1:" + std::to_string(listener.Port()) + "/",
                &CConnectionProbe::CheckConnection);
  BoxRecorder boxes;
  maps.ShowMap();
  ASSERT_TRUE(PumpUntil([&] { return !maps.ProbeInFlight(); }, 20000));
  EXPECT_EQ(GetInternetOk(), 1);
  EXPECT_TRUE(Visible(place));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Cannot found the WebView2 component. (0x80070002)");
  EXPECT_EQ(boxes.Boxes()[0].caption, "Failure");
  EXPECT_EQ(boxes.Boxes()[0].owner, (HWND)NULL);
  EXPECT_EQ(boxes.Boxes()[0].type, static_cast<UINT>(MB_OK));
  ASSERT_NE(maps.WebView().Browser(), nullptr);
  EXPECT_FALSE(maps.WebView().Browser()->HasWebView());
  // A later show neither creates nor complains again.
  maps.ShowMap();
  ASSERT_TRUE(PumpUntil([&] { return !maps.ProbeInFlight(); }, 20000));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(MapWindow, PageAndRouteGoToTheWindowsFolderUnderTheTemporaryFolder) {
  const std::string folder = maps.Folder();
  ASSERT_GT(folder.size(), TempFolder().size());
  EXPECT_EQ(folder.compare(0, TempFolder().size(), TempFolder()), 0);
  const std::string sidecar = TempFolder() + "map_window_test.nmea";
  {
    FILE* f = std::fopen(sidecar.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("$GPRMC,1,A,3539.1234,N,13945.0000,E,0,0,020323,,,A*00\r\n", f);
    std::fclose(f);
  }
  maps.LoadTelemetry(sidecar, 1, 2);
  EXPECT_EQ(maps.Table().Column(kColFix).Count(), 2u);
  EXPECT_EQ(ReadFile(folder + "line_path.js"),
            "var LINE_PATH = [\r\n\t{ lat: 35.652057, lng : 139.750000 },\r\n];\r\n");
  maps.SetProbe("", &Reachable);
  BoxRecorder boxes;
  maps.ShowMap();
  ASSERT_TRUE(PumpUntil([&] { return !maps.ProbeInFlight(); }));
  std::string doubled;
  for (char c : folder) doubled += c == '\\' ? std::string("\\\\") : std::string(1, c);
  const std::string page = ReadFile(folder + "GM_tmp1.html");
  EXPECT_NE(page.find("<script src=\"" + doubled + "line_path.js\"></script>\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("elem.src = \"" + doubled + "target_pos.js\";\r\n"), std::string::npos);
  EXPECT_EQ(maps.WebView().Address(), folder + "GM_tmp1.html");
  maps.UpdateTargetPos(0, 1);
  EXPECT_EQ(ReadFile(folder + "target_pos.js"),
            "var TARGET_POS = { lat: 35.652057, lng : 139.750000, update : 1 };");
  DeleteFileA(sidecar.c_str());
}

TEST_F(MapWindow, KeysNeverReachTheDialog) {
  for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE), WPARAM('A')}) {
      MSG msg = {};
      msg.hwnd = place;
      msg.message = message;
      msg.wParam = key;
      EXPECT_TRUE(maps.PreTranslateMessage(&msg)) << message << " " << key;
    }
  }
  MSG click = {};
  click.hwnd = place;
  click.message = WM_LBUTTONDOWN;
  EXPECT_FALSE(maps.PreTranslateMessage(&click));
  EXPECT_NE(maps.GetSafeHwnd(), (HWND)NULL);
}

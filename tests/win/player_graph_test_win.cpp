// The G-sensor graph in the main window: what it draws for a clip with and
// without its sidecar, where the cursor stands, and what a click on it does.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "demo_drive.h"
#include "framework/StopWatch_win.h"
#include "telemetry/telemetry_store.h"
#include "graph/GSensor_win.h"
#include "player_fixture_win.h"
#include "test_files.h"

namespace {

class Graph : public PlayerTest {
 protected:
  // CLIP.MP4 (12 s) under a new name, with a demo sidecar unless told otherwise.
  std::string ClipCopy(bool withSidecar) {
    const std::string clip = dir.Path() + "G.MP4";
    EXPECT_TRUE(CopyFileA(Clip("CLIP.MP4").c_str(), clip.c_str(), FALSE));
    demo::DemoDriveOptions drive;
    drive.seconds = 12;
    if (withSidecar)
      dir.Write("G.nmea", WithHardBrakeAt(kBrakeSecond, demo::MakeDemoSidecar(drive)));
    return clip;
  }
  // The sidecar with every G-sensor sample of one second at -0.9 g forward.
  static std::string WithHardBrakeAt(int second, std::string sidecar) {
    const std::string body = "GSENSOR,-900,0,996";
    char sum[8];
    std::snprintf(sum, sizeof sum, "*%02X", demo::NmeaChecksum(body));
    const std::string brake = "$" + body + sum;
    size_t at = 0;
    for (int line = 0; (at = sidecar.find("$GSENSOR", at)) != std::string::npos; ++line) {
      const size_t end = sidecar.find('\r', at);
      if (line / 5 == second) sidecar.replace(at, end - at, brake);
      at += 1;
    }
    return sidecar;
  }
  static constexpr int kBrakeSecond = 6;
  void PlayAt(const std::string& clip, int second) {
    dlg.PlayOpenedFile(clip);
    ASSERT_TRUE(dlg.IsPlaying());
    dlg.SeekToSecond(second);
    ASSERT_TRUE(PumpUntil([&] { return ShownSecond() >= second && ShownLength() > 0; }, 4000));
    dlg.app_Play(0);  // paused: the picture holds still
    PumpUntil(nullptr, 300);
  }
  HWND Window() const { return dlg.GSensor()->GetSafeHwnd(); }
  // How many pixels of the plot have exactly this colour.
  int Count(COLORREF colour) {
    UpdateWindow(Window());
    WindowDc dc(Window());
    const GraphPlot p = dlg.GSensor()->Plot();
    int n = 0;
    for (int y = 0; y < dlg.GSensor()->nHeight; ++y)
      for (int x = p.left; x <= p.left + p.width; x += 1) n += GetPixel(dc.Get(), x, y) == colour;
    return n;
  }
  // The column of the cursor: black down the middle of the plot.
  bool CursorAt(int second) {
    UpdateWindow(Window());
    WindowDc dc(Window());
    const GraphPlot p = dlg.GSensor()->Plot();
    const int x = CursorX(second, p, dlg.GSensor()->CurrentScale().seconds);
    return GetPixel(dc.Get(), x, p.top + p.height / 4) == RGB(0, 0, 0);
  }

  ScratchDir dir;
};

}  // namespace

TEST_F(Graph, AClipWithItsSidecarShowsThreeAxesAndTheCursorUntilStop) {
  PlayAt(ClipCopy(true), 4);
  // Twelve seconds against five minutes: short curves, partly over each other.
  EXPECT_GT(Count(RGB(255, 0, 0)), 0);
  EXPECT_GT(Count(RGB(0, 255, 0)), 0);
  EXPECT_GT(Count(RGB(0, 0, 255)), 0);
  const int shown = ShownSecond();
  EXPECT_TRUE(CursorAt(shown)) << "second " << shown;
  {  // the brake's peak: past the plot's bottom, at the bottom of the window
    UpdateWindow(Window());
    WindowDc dc(Window());
    const int x =
        SecondX(kBrakeSecond, dlg.GSensor()->Plot(), dlg.GSensor()->CurrentScale().seconds);
    EXPECT_EQ(GetPixel(dc.Get(), x, dlg.GSensor()->nHeight - 1), RGB(255, 0, 0));
  }
  dlg.OnStopButton();
  PumpUntil(nullptr, 200);
  EXPECT_EQ(dlg.GSensor()->nCursorSec, 0);
  EXPECT_TRUE(CursorAt(0));
}

TEST_F(Graph, AClickOnThePlotSeeksToTheSecondUnderIt) {
  PlayAt(ClipCopy(true), 2);
  const GraphPlot p = dlg.GSensor()->Plot();
  const int x = CursorX(9, p, dlg.GSensor()->CurrentScale().seconds);
  SendMessage(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, p.top + p.middle));
  EXPECT_EQ(dlg.GSensor()->nCursorSec, 9) << "the cursor moves at once";
  dlg.app_Play(0);
  EXPECT_TRUE(PumpUntil([&] { return ShownSecond() >= 9; }, 2500)) << Text(IDC_TIME_TEXT);
  EXPECT_LE(ShownSecond(), 11);
}

TEST_F(Graph, WithoutASidecarOnlyTheGridShows) {
  PlayAt(ClipCopy(false), 3);
  EXPECT_EQ(Count(RGB(255, 0, 0)), 0);
  EXPECT_EQ(Count(RGB(0, 0, 255)), 0);
  EXPECT_FALSE(CursorAt(ShownSecond()));
}

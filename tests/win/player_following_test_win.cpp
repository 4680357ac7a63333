// The main window keeps the numbers on screen those of the frame on screen:
// paused seeks and steps, stops, loads of another clip, the maximised state.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "player_fixture_win.h"
#include "test_files.h"

namespace {

// Seconds of telemetry with a fix at one place, or without a fix.
std::string Sidecar(int seconds, bool fix) {
  std::string s;
  for (int i = 0; i < seconds; ++i) {
    for (int g = 0; g < 5; ++g) s += "$GSENSOR,0,-2,1000\r\n";
    s += "$GPRMC,1200" + std::to_string(10 + i) + (fix ? ",A," : ",V,") +
         "3539.1234,N,13945.0000,E,10.0,90.0,020323,,,A*00\r\n";
    s += std::string("$GPGGA,1200") + std::to_string(10 + i) + ",3539.1234,N,13945.0000,E," +
         (fix ? "1" : "0") + ",08,1.0,45.5,M,0,M,,*00\r\n";
    s += "$GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1*39\r\n";
  }
  return s;
}

class Following : public PlayerTest {
 protected:
  void PlayPaused(int second) {
    dlg.PlayOpenedFile(Clip("CLIP.MP4"));
    ASSERT_TRUE(PumpUntil([&] { return ShownLength() == 12; }, 4000));
    dlg.app_Play(0);  // pause: the tick stops
    ASSERT_EQ(Text(IDC_PLAY_PAUSE), "Play");
    dlg.OnGraphSeek(second);
  }
  // A copy of the test clip under `name` in the scratch folder, with a sidecar.
  std::string ClipWithSidecar(const std::string& name, const std::string& sidecar) {
    const std::string clip = scratch.Path() + name + ".MP4";
    EXPECT_TRUE(CopyFileA(Clip("CLIP.MP4").c_str(), clip.c_str(), FALSE));
    scratch.Write(name + ".nmea", sidecar);
    return clip;
  }
  ScratchDir scratch;
};

}  // namespace

// Paused, a seek by the graph or the slider and a frame step show their
// second at once: the time text and the slider, without a tick to come.
TEST_F(Following, PausedSeeksAndStepsShowTheirSecondAtOnce) {
  PlayPaused(8);
  EXPECT_EQ(ShownSecond(), 8) << Text(IDC_TIME_TEXT);
  EXPECT_EQ(SendMessage(Item(IDC_SEEK_SLIDER), TBM_GETPOS, 0, 0), 8);
  SendMessage(dlg.GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3),
              reinterpret_cast<LPARAM>(Item(IDC_SEEK_SLIDER)));
  EXPECT_EQ(ShownSecond(), 3);
  SendMessage(dlg.GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 900),
              reinterpret_cast<LPARAM>(Item(IDC_SEEK_SLIDER)));
  EXPECT_EQ(ShownSecond(), 12) << "a seek stays inside the clip";
  dlg.OnGraphSeek(5);
  for (int i = 0; i < 31; ++i) dlg.OnFrameStepButton();  // 30 frames a second
  EXPECT_EQ(ShownSecond(), 6) << Text(IDC_TIME_TEXT);
  EXPECT_FALSE(dlg.IsPlaying());
}

// After Stop nothing is open: a click on the graph moves nothing, and Play
// starts from the beginning.
TEST_F(Following, AGraphClickAfterStopIsIgnored) {
  PlayPaused(4);
  dlg.OnStopButton();
  dlg.OnGraphSeek(7);
  EXPECT_EQ(SendMessage(Item(IDC_SEEK_SLIDER), TBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(ShownLength(), 0) << Text(IDC_TIME_TEXT);
  dlg.app_Play(0);
  ASSERT_TRUE(PumpUntil([&] { return ShownLength() == 12; }, 4000));
  EXPECT_LE(ShownSecond(), 1);
}

// The texts kept across seconds without a fix belong to one clip: a clip
// without a fix never shows the last one's position.
TEST_F(Following, AnotherClipStartsWithItsOwnReadouts) {
  dlg.PlayOpenedFile(ClipWithSidecar("FIX", Sidecar(12, true)));
  ASSERT_TRUE(PumpUntil([&] { return Text(IDC_LATITUDE).find("35.") != std::string::npos; }, 4000))
      << Text(IDC_LATITUDE);
  dlg.PlayOpenedFile(ClipWithSidecar("NOFIX", Sidecar(12, false)));
  EXPECT_EQ(Text(IDC_LATITUDE), "Latitude  :");
  PumpUntil([&] { return ShownSecond() >= 2; }, 4000);
  EXPECT_EQ(Text(IDC_LATITUDE), "Latitude  :");
  EXPECT_EQ(Text(IDC_LONGITUDE), "Longitude :");
}

// In the enlarged layout the maximise button names the state the window is
// going to, also on the size change that a maximise sends first.
TEST_F(Following, TheMaximiseButtonFollowsTheWindowInTheEnlargedLayout) {
  dlg.PlayOpenedFile(Clip("CLIP.MP4"));
  dlg.OnLargeViewButton();
  auto tooltip = [&] {
    char text[32] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = Item(IDC_MAXIMIZE);
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(dlg.SkinButton(IDC_MAXIMIZE)->Tooltip(), TTM_GETTEXTA, sizeof text,
                 reinterpret_cast<LPARAM>(&tool));
    return std::string(text);
  };
  const std::string normal = tooltip();
  SendMessage(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_MAXIMIZE, BN_CLICKED),
              reinterpret_cast<LPARAM>(Item(IDC_MAXIMIZE)));
  PumpUntil(nullptr, 300);
  ASSERT_TRUE(IsZoomed(dlg.GetSafeHwnd()));
  EXPECT_NE(tooltip(), normal) << "maximised, the button still offers " << normal;
  SendMessage(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_MAXIMIZE, BN_CLICKED),
              reinterpret_cast<LPARAM>(Item(IDC_MAXIMIZE)));
  PumpUntil(nullptr, 300);
  EXPECT_FALSE(IsZoomed(dlg.GetSafeHwnd()));
  EXPECT_EQ(tooltip(), normal);
  dlg.OnLargeViewButton();
}

// However the size is asked for (here by a program, not a drag), the window
// keeps its smallest size.
TEST_F(Following, TheWindowKeepsItsSmallestSizeForEverySizeChange) {
  SetWindowPos(dlg.GetSafeHwnd(), NULL, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
  PumpUntil(nullptr, 100);
  RECT r;
  GetWindowRect(dlg.GetSafeHwnd(), &r);
  EXPECT_GE(r.right - r.left, 684);
  EXPECT_GE(r.bottom - r.top, 324);
}

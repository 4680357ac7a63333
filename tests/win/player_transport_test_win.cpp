// The main window with real clips: the slider, play and stop, the keys of the
// video, the end of a clip, the first layout and the enlarged layout.
#include <windows.h>

#include <commctrl.h>

#include "app/layout.h"
#include "player_fixture_win.h"

namespace {

RECT ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class Transport : public PlayerTest {
 protected:
  // Plays a clip opened with "Open Video" from `second` on, once the tick shows it.
  void PlayFrom(const char* clip, int second) {
    dlg.PlayOpenedFile(Clip(clip));
    ASSERT_TRUE(dlg.IsPlaying()) << clip;
    if (second > 0) dlg.SeekToSecond(second);
    ASSERT_TRUE(PumpUntil([&] { return ShownSecond() >= second && ShownLength() > 0; }, 4000));
  }
  int Selected() const {
    return static_cast<int>(SendMessage(Item(IDC_PLAYLIST), LB_GETCURSEL, 0, 0));
  }
};

}  // namespace

// The window opens at 1366 x 768 with its frame, so its client is smaller: the
// first paint lays out to that client, and nothing plays yet.
TEST_F(Transport, AFreshWindowOffersPlayAndFitsItsClient) {
  EXPECT_EQ(Text(IDC_PLAY_PAUSE), "Play");
  RECT client;
  GetClientRect(dlg.GetSafeHwnd(), &client);
  const LayoutScale k(client.right, client.bottom);
  const RECT close = ClientRectOf(Item(IDC_CLOSE));
  EXPECT_EQ(close.right, k.sx(1334)) << "client " << client.right << "x" << client.bottom;
  EXPECT_LE(close.right, client.right);
  EXPECT_EQ(ClientRectOf(Item(IDC_VIDEO_AREA)).bottom, k.sy(85) + k.sy(440));
}

// A click or a drag seeks to the second under the pointer (the bar posts the
// position with its thumb codes), never back to the start.
TEST_F(Transport, TheSliderSeeksToTheSecondUnderThePointer) {
  PlayFrom("CLIP.MP4", 2);
  HWND slider = Item(IDC_SEEK_SLIDER);
  RECT channel;
  SendMessage(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const int y = 2, width = channel.right - channel.left;
  auto pressAt = [&](int x) { SendMessage(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); };
  auto releaseAt = [&](int x) { SendMessage(slider, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); };
  auto position = [&] { return static_cast<int>(SendMessage(slider, TBM_GETPOS, 0, 0)); };

  pressAt(channel.left + width * 3 / 4);
  releaseAt(channel.left + width * 3 / 4);
  const int clicked = position();
  ASSERT_GE(clicked, 8);
  EXPECT_TRUE(PumpUntil([&] { return ShownSecond() >= clicked; }, 2500))
      << "the click went to " << ShownSecond() << ", not " << clicked;

  pressAt(channel.left + width * 3 / 4);
  SendMessage(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(channel.left + width / 2, y));
  releaseAt(channel.left + width / 4);
  const int dragged = position();
  ASSERT_GE(dragged, 1);
  ASSERT_LT(dragged, clicked);
  ASSERT_TRUE(PumpUntil([&] { return ShownSecond() >= 0 && ShownSecond() <= dragged + 1; }, 2500));
  EXPECT_GE(ShownSecond(), dragged) << "the drag ended at second 0";
}

TEST_F(Transport, PlayAfterStopStartsTheOpenedClipAgain) {
  PlayFrom("CLIP.MP4", 2);
  dlg.OnStopButton();
  EXPECT_EQ(Text(IDC_PLAY_PAUSE), "Play");
  dlg.app_Play(0);
  EXPECT_TRUE(dlg.IsPlaying());
  EXPECT_EQ(Text(IDC_PLAY_PAUSE), "Pause");
  EXPECT_TRUE(PumpUntil([&] { return ShownSecond() >= 1 && ShownLength() == 12; }, 3000))
      << Text(IDC_TIME_TEXT);
}

// Paused with the button (the tick stops), resumed with Space in the video.
TEST_F(Transport, KeysInTheVideoMoveTheButtonAndTheTick) {
  PlayFrom("CLIP.MP4", 1);
  dlg.app_Play(0);
  ASSERT_EQ(Text(IDC_PLAY_PAUSE), "Play");
  const int paused = ShownSecond();
  PostMessage(VideoSurface(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(PumpUntil([&] { return Text(IDC_PLAY_PAUSE) == "Pause"; }, 500));
  EXPECT_TRUE(PumpUntil([&] { return ShownSecond() >= paused + 2; }, 4000))
      << "the time text stands at " << Text(IDC_TIME_TEXT);
  PostMessage(VideoSurface(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(PumpUntil([&] { return Text(IDC_PLAY_PAUSE) == "Play"; }, 500));
}

// At the end of a clip opened with "Open Video" the player stops: the selected
// playlist row is not the next clip.
TEST_F(Transport, AClipNotInThePlaylistStopsAtItsEnd) {
  dlg.ScanFolder(Clip("list"));
  SendMessage(Item(IDC_PLAYLIST), LB_SETCURSEL, 0, 0);
  PlayFrom("CLIP.MP4", 10);
  ASSERT_TRUE(PumpUntil([&] { return Text(IDC_PLAY_PAUSE) == "Play"; }, 5000))
      << Text(IDC_TIME_TEXT);
  EXPECT_FALSE(dlg.IsPlaying());
  EXPECT_EQ(ShownLength(), 0);
  EXPECT_EQ(Selected(), 0);
}

TEST_F(Transport, DeletingARowAboveThePlayingOneKeepsTheOrder) {
  dlg.ScanFolder(Clip("list"));  // P1 (2 s), P2 (2 s), P3 (3 s)
  SendMessage(Item(IDC_PLAYLIST), LB_SETCURSEL, 1, 0);
  dlg.PlayEntry();
  SendMessage(Item(IDC_PLAYLIST), LB_SETCURSEL, 0, 0);
  dlg.DeleteEntry();
  EXPECT_EQ(dlg.PlayingRow(), 0);
  EXPECT_TRUE(PumpUntil([&] { return ShownLength() == 3; }, 6000)) << "P3 comes after P2";
  EXPECT_EQ(Selected(), 1);
}

TEST_F(Transport, TheEnlargedLayoutCanBeLeftAfterAClipThatCannotPlay) {
  PlayFrom("CLIP.MP4", 0);
  dlg.OnLargeViewButton();
  ASSERT_FALSE(Visible(IDC_PLAYLIST));
  dlg.PlayOpenedFile(Clip("NOVIDEO.MP4"));  // its box is answered
  ASSERT_EQ(boxes.Calls().size(), 1u);
  SetWindowPos(dlg.GetSafeHwnd(), NULL, 0, 0, 1000, 600, SWP_NOZORDER | SWP_NOMOVE);
  PumpUntil(nullptr, 200);
  EXPECT_FALSE(Visible(IDC_PLAYLIST)) << "a resize keeps the enlarged layout whole";
  EXPECT_TRUE(Visible(IDC_TIME_TEXT_LARGE));
  dlg.OnLargeViewButton();
  PumpUntil(nullptr, 200);
  EXPECT_TRUE(Visible(IDC_PLAYLIST));
  EXPECT_TRUE(Visible(IDC_LATITUDE));
  EXPECT_FALSE(Visible(IDC_TIME_TEXT_LARGE));
  EXPECT_EQ(Text(IDC_LARGE_VIEW), "Full Screen");
}

// The seek slider and the colour list in a dialog under Wine: what a click, a
// drag and a lost capture post to the parent, and the pixels both paint.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <utility>
#include <vector>

#include "controls/ColorListBox_win.h"
#include "controls/NiceSliderCtrl_win.h"
#include "framework/Dialog_win.h"
#include "framework/Owners_win.h"
#include "framework_testkit_win.h"
#include "slider_list_test_ids.h"

namespace {

struct Scroll {
  UINT code, pos;
  bool operator==(const Scroll& o) const { return code == o.code && pos == o.pos; }
};
using Scrolls = std::vector<Scroll>;

void PrintTo(const Scroll& s, std::ostream* os) {
  *os << "{code " << s.code << ", pos " << s.pos << "}";
}

class HostDialog : public CDialogBase {
 public:
  HostDialog() : CDialogBase(IDD_SL_HOST) {}
  ~HostDialog() override { DestroyWindow(); }

  CNiceSliderCtrl slider;
  CColorListBox list;
  Scrolls scrolls;
  HWND scrollFrom = NULL;

 protected:
  BOOL OnInitDialog() override {
    slider.Attach(GetDlgItem(IDC_SL_SLIDER));
    list.Attach(GetDlgItem(IDC_SL_LIST));
    return TRUE;
  }
  bool OnHScroll(UINT code, UINT pos, HWND bar) override {
    scrolls.push_back({code, pos});
    scrollFrom = bar;
    return true;
  }
};

class SliderListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    ASSERT_TRUE(host.Create(NULL));
    slider = host.slider.GetSafeHwnd();
    list = host.list.GetSafeHwnd();
    ASSERT_TRUE(slider != NULL && list != NULL);
    SendMessage(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, kLength));
    SendMessage(slider, TBM_SETPOS, TRUE, kLength / 2);
    SendMessage(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  }

  // What the slider posted since the last call.
  Scrolls Posted() {
    testkit::PumpFor(50);
    return std::exchange(host.scrolls, {});
  }
  void Mouse(UINT msg, int x) {
    SendMessage(slider, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 1));
  }
  int Pos() const { return static_cast<int>(SendMessage(slider, TBM_GETPOS, 0, 0)); }
  static COLORREF PixelOf(HWND hwnd, int x, int y) {
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    WindowDc dc(hwnd);
    return GetPixel(dc.Get(), x, y);
  }

  static constexpr int kLength = 100;
  HostDialog host;
  HWND slider = NULL, list = NULL;
  RECT channel{};
};

constexpr UINT kTrack = SB_THUMBTRACK, kFinal = SB_THUMBPOSITION;

TEST_F(SliderListTest, AClickAtEitherChannelEndPicksThatEndOfTheRange) {
  Mouse(WM_LBUTTONDOWN, channel.left);
  Mouse(WM_LBUTTONUP, channel.left);
  EXPECT_EQ(Posted(), (Scrolls{{kTrack, 0}, {kFinal, 0}}));
  EXPECT_EQ(host.scrollFrom, slider);
  Mouse(WM_LBUTTONDOWN, channel.right);
  Mouse(WM_LBUTTONUP, channel.right);
  EXPECT_EQ(Posted(), (Scrolls{{kTrack, kLength}, {kFinal, kLength}}));
  EXPECT_EQ(Pos(), kLength);
}

TEST_F(SliderListTest, ADragPostsEachNewPositionThenOneFinalPosition) {
  const int width = channel.right - channel.left;
  Mouse(WM_LBUTTONDOWN, channel.left);
  Mouse(WM_MOUSEMOVE, channel.left + width / 4);
  Mouse(WM_MOUSEMOVE, channel.left + width / 4);  // same place: nothing new
  Mouse(WM_MOUSEMOVE, channel.right);
  Mouse(WM_LBUTTONUP, channel.right);
  const auto quarter = static_cast<UINT>(
      SliderPositionAt(channel.left + width / 4, channel.left, channel.right, 0, kLength));
  EXPECT_EQ(Posted(),
            (Scrolls{{kTrack, 0}, {kTrack, quarter}, {kTrack, kLength}, {kFinal, kLength}}));
  EXPECT_NE(GetCapture(), slider);
}

TEST_F(SliderListTest, LosingTheCaptureEndsTheDragWithItsFinalPosition) {
  Mouse(WM_LBUTTONDOWN, channel.left);
  ASSERT_EQ(GetCapture(), slider);
  ReleaseCapture();
  EXPECT_EQ(Posted(), (Scrolls{{kTrack, 0}, {kFinal, 0}}));
  Mouse(WM_MOUSEMOVE, channel.right);
  Mouse(WM_LBUTTONUP, channel.right);
  EXPECT_EQ(Posted(), Scrolls{});
  EXPECT_EQ(Pos(), 0);
}

// A 5-pixel bar (the normal layout): four rows of green, the fifth the last band.
TEST_F(SliderListTest, TheBarShowsTheBandsAndThePlayedPart) {
  SetWindowPos(slider, NULL, 0, 0, 200, 5, SWP_NOMOVE | SWP_NOZORDER);
  host.slider.nMax = kLength;  // position 50 of 100: played up to x = 100
  EXPECT_EQ(PixelOf(slider, 10, 0), RGB(181, 242, 0));
  EXPECT_EQ(PixelOf(slider, 10, 2), RGB(173, 231, 0));
  EXPECT_EQ(PixelOf(slider, 10, 4), RGB(128, 141, 176));
  EXPECT_EQ(PixelOf(slider, 150, 0), RGB(55, 60, 75));
  host.slider.nMax = 0;  // no clip yet
  EXPECT_EQ(PixelOf(slider, 10, 0), RGB(55, 60, 75));
}

class ColourListTest : public SliderListTest {
 protected:
  void SetUp() override {
    SliderListTest::SetUp();
    host.list.pDrawFont = font.Get();
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("WWW"));
  }
  // The row's pixel near its right end (clear of text and focus rectangle) and
  // whether any of its pixels is `text`.
  COLORREF Row(COLORREF colour, COLORREF text, bool& textFound) {
    SendMessage(list, LB_SETITEMDATA, 0, colour);
    SendMessage(list, LB_SETCURSEL, 0, 0);
    RECT row{};
    SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const COLORREF back = PixelOf(list, row.right - 4, (row.top + row.bottom) / 2);
    WindowDc dc(list);
    textFound = false;
    for (int y = row.top; y < row.bottom; ++y)
      for (int x = row.left; x < row.right; ++x) textFound |= GetPixel(dc.Get(), x, y) == text;
    return back;
  }

  // Sharp edges, so that text pixels have exactly the text colour.
  GdiFont font{CreateFontA(-14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                           DEFAULT_PITCH, "Tahoma")};
};

TEST_F(ColourListTest, ASelectedRowWithAColourIsInverseTextOnThatColour) {
  bool cyanText = false;
  EXPECT_EQ(Row(RGB(255, 0, 0), RGB(0, 255, 255), cyanText), RGB(255, 0, 0));
  EXPECT_TRUE(cyanText);
}

TEST_F(ColourListTest, ASelectedRowWithoutColourIsHighlightTextOnBlack) {
  bool highlightText = false;
  EXPECT_EQ(Row(0, GetSysColor(COLOR_HIGHLIGHTTEXT), highlightText), RGB(0, 0, 0));
  EXPECT_TRUE(highlightText);
}

// The list does not measure its items: the default height must still fit a line.
TEST_F(ColourListTest, RowsKeepTheListsLineHeight) {
  WindowDc dc(list);
  SelectedObject listFont(dc.Get(), reinterpret_cast<HFONT>(SendMessage(list, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  EXPECT_GE(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight);
}

}  // namespace

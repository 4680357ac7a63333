// The skin's button, off-screen DC and picture under Wine: which pixels a
// button paints in each state, what the dialog manager and the mouse do to it,
// and how the drawing helpers put their pixels where they belong.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "controls/MemDC2_win.h"
#include "controls/Picture_win.h"
#include "controls/SkinButton_win.h"
#include "framework/Dialog_win.h"
#include "framework/Reflect_win.h"
#include "framework_testkit_win.h"
#include "resource.h"
#include "skin_test_ids.h"

namespace {

const COLORREF kGreen = RGB(0, 200, 0), kRed = RGB(220, 0, 0), kBlue = RGB(0, 0, 220);

// A 32-bit bitmap selected into its own DC, read back pixel by pixel.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill) : dc(NULL) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap.Reset(CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0));
    selected = SelectObject(dc.Get(), bitmap.Get());
    GdiBrush brush(CreateSolidBrush(fill));
    RECT all{0, 0, w, h};
    FillRect(dc.Get(), &all, brush.Get());
  }
  ~Canvas() { SelectObject(dc.Get(), selected); }
  HDC Get() const { return dc.Get(); }
  COLORREF At(int x, int y) const { return GetPixel(dc.Get(), x, y); }
  // Gives the bitmap away (deselected), for a button to own.
  HBITMAP Release() {
    SelectObject(dc.Get(), selected);
    return bitmap.Release();
  }

 private:
  MemoryDc dc;
  GdiBitmap bitmap;
  HGDIOBJ selected;
};

HBITMAP Picture(int w, int h, const std::function<COLORREF(int x, int y)>& colour) {
  Canvas canvas(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(canvas.Get(), x, y, colour(x, y));
  return canvas.Release();
}

class HostDialog : public CDialogBase {
 public:
  HostDialog() : CDialogBase(IDD_SKIN_HOST) {}
  ~HostDialog() override { DestroyWindow(); }
  CSkinButton button;
  int clicks = 0;

 protected:
  BOOL OnInitDialog() override {
    button.Attach(GetDlgItem(IDC_SKIN_BUTTON));
    return TRUE;
  }
  bool OnButtonClicked(int id) override {
    if (id == IDC_SKIN_BUTTON) ++clicks;
    return true;
  }
};

class SkinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create(NULL));
    SetWindowPos(host.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    GetClientRect(Button(), &client);
    testkit::PumpFor(50);
  }
  HWND Button() const { return host.button.GetSafeHwnd(); }
  // The button's images: hover blue, normal red, the first column of both the key.
  void GiveImages() {
    const int w = client.right, h = client.bottom;
    auto keyed = [](COLORREF c) {
      return [c](int x, int) { return x == 0 ? CSkinButton::kKey : c; };
    };
    ASSERT_EQ(host.button.AssignBitmaps(Picture(w, h, keyed(kBlue)), CSkinButton::kKey,
                                        Picture(w, h, keyed(kRed)), CSkinButton::kKey),
              CSkinButton::kOk);
    host.button.SetBackdropMode();
    RECT parent;
    GetClientRect(host.GetSafeHwnd(), &parent);
    Canvas ground(parent.right, parent.bottom, kGreen);
    ASSERT_EQ(host.button.RefreshBackdrop(ground.Get()), CSkinButton::kOk);
  }
  // What the button paints for an owner-draw request in `state`.
  std::unique_ptr<Canvas> Paint(UINT state = 0) {
    auto canvas = std::make_unique<Canvas>(client.right, client.bottom, RGB(255, 255, 255));
    DRAWITEMSTRUCT item{ODT_BUTTON,    IDC_SKIN_BUTTON, 0, ODA_DRAWENTIRE, state, Button(),
                        canvas->Get(), client,          0};
    SendMessage(Button(), kReflectedDrawItem, 0, reinterpret_cast<LPARAM>(&item));
    return canvas;
  }
  POINT Centre() const {
    POINT at{client.right / 2, client.bottom / 2};
    return at;
  }

  HostDialog host;
  RECT client{};
};

}  // namespace

// Exactly the key colour is transparent: RGB(1,100,251) is an image pixel.
TEST_F(SkinButtonTest, OnlyTheKeyColourShowsTheBackdrop) {
  const int w = client.right, h = client.bottom;
  auto pattern = [](int x, int) {
    return x == 0 ? CSkinButton::kKey : x == 1 ? RGB(1, 100, 251) : kRed;
  };
  ASSERT_EQ(host.button.AssignBitmaps(Picture(w, h, pattern), CSkinButton::kKey, NULL, 0),
            CSkinButton::kOk);
  host.button.SetBackdropMode();
  RECT parent;
  GetClientRect(host.GetSafeHwnd(), &parent);
  Canvas ground(parent.right, parent.bottom, kGreen);
  host.button.RefreshBackdrop(ground.Get());
  auto shown = Paint();
  EXPECT_EQ(shown->At(0, 3), kGreen);
  EXPECT_EQ(shown->At(1, 3), RGB(1, 100, 251));
  EXPECT_EQ(shown->At(5, 3), kRed);
}

// The disabled image is drawn embossed in the system's shadow colours over the
// backdrop, the key column still showing the backdrop.
TEST_F(SkinButtonTest, ADisabledButtonShowsItsImageEmbossed) {
  GiveImages();
  auto shown = Paint(ODS_DISABLED);
  const POINT c = Centre();
  const COLORREF centre = shown->At(c.x, c.y);
  EXPECT_NE(centre, kGreen) << "no image drawn";
  EXPECT_NE(centre, kRed) << "drawn as if enabled";
  EXPECT_NE(centre, kBlue);
  EXPECT_EQ(shown->At(0, c.y), kGreen);
}

TEST_F(SkinButtonTest, PressedShowsTheHoverImageOnePixelDownRight) {
  GiveImages();
  auto normal = Paint();
  EXPECT_EQ(normal->At(0, 5), kGreen);
  EXPECT_EQ(normal->At(1, 5), kRed);
  auto pressed = Paint(ODS_SELECTED);
  EXPECT_EQ(pressed->At(1, 6), kGreen) << "the key column moved one pixel right";
  EXPECT_EQ(pressed->At(2, 6), kBlue);
}

TEST_F(SkinButtonTest, ThePointerOverTheButtonShowsTheHoverImageUntilItLeaves) {
  GiveImages();
  POINT screen = Centre();
  ClientToScreen(Button(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessage(Button(), WM_MOUSEMOVE, 0, MAKELPARAM(Centre().x, Centre().y));
  EXPECT_TRUE(host.button.MouseOver());
  EXPECT_EQ(Paint()->At(5, 5), kBlue);
  SendMessage(Button(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(host.button.MouseOver());
  EXPECT_EQ(Paint()->At(5, 5), kRed);
}

// The tool watches the button's own messages, so no message loop has to relay them.
TEST_F(SkinButtonTest, TheTooltipComesWhenThePointerRests) {
  host.button.AttachTooltip("Play");
  POINT screen = Centre();
  ClientToScreen(Button(), &screen);
  SetCursorPos(screen.x - 5, screen.y);
  testkit::PumpFor(100);
  SetCursorPos(screen.x, screen.y);
  EXPECT_TRUE(
      testkit::PumpUntil([&] { return IsWindowVisible(host.button.Tooltip()) != FALSE; }, 3000));
  char text[32] = "";
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = Button();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageA(host.button.Tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Play");
  SetCursorPos(0, 0);
}

TEST_F(SkinButtonTest, TheDialogManagerKeepsItOwnerDrawnAndADoubleClickIsTwoClicks) {
  SendMessage(Button(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(GetWindowLongA(Button(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_TRUE(SendMessage(Button(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
  SendMessage(Button(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_TRUE(SendMessage(Button(), WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);

  const LPARAM at = MAKELPARAM(Centre().x, Centre().y);
  SendMessage(Button(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessage(Button(), WM_LBUTTONUP, 0, at);
  SendMessage(Button(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessage(Button(), WM_LBUTTONUP, 0, at);
  testkit::PumpFor(50);
  EXPECT_EQ(host.clicks, 2);
}

// Resource images: a missing second image leaves the first for every state; no
// size keeps the natural one; a missing first image leaves only the backdrop.
TEST_F(SkinButtonTest, SkinImagesComeAtTheAskedSizeAndMissingOnesAreLeftOut) {
  const int missing = 4321;
  EXPECT_EQ(host.button.LoadSkinBitmaps(IDB_PLAY_HOVER, missing, CSkinButton::kKey, 0, 0),
            CSkinButton::kOk);
  ASSERT_TRUE(host.button.HasImage());
  BITMAP natural{};
  GdiBitmap loaded(LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDB_PLAY_HOVER)));
  GetObjectA(loaded.Get(), sizeof natural, &natural);
  EXPECT_EQ(host.button.ImageSize().cx, natural.bmWidth);
  EXPECT_EQ(host.button.ImageSize().cy, natural.bmHeight);

  EXPECT_EQ(host.button.LoadSkinBitmaps(IDB_PLAY_HOVER, IDB_PLAY, CSkinButton::kKey, 30, 20),
            CSkinButton::kOk);
  EXPECT_EQ(host.button.ImageSize().cx, 30);
  EXPECT_EQ(host.button.ImageSize().cy, 20);

  host.button.LoadSkinBitmaps(missing, IDB_PLAY, CSkinButton::kKey, 30, 20);
  EXPECT_FALSE(host.button.HasImage());
  EXPECT_EQ(host.button.RefreshBackdrop(NULL), CSkinButton::kNoBackdrop);
}

TEST(MemDc, AClipBoxAwayFromTheOriginIsDrawnAndCopiedInPlace) {
  Canvas target(100, 100, RGB(255, 255, 255));
  IntersectClipRect(target.Get(), 20, 30, 60, 70);
  SetBkColor(target.Get(), kBlue);
  {
    CMemDC2 memory(target.Get());
    ASSERT_TRUE(memory.OffScreen());
    EXPECT_EQ(memory.Area().left, 20);
    EXPECT_EQ(memory.Area().top, 30);
    SetPixel(memory, 25, 35, kRed);
    EXPECT_EQ(target.At(25, 35), RGB(255, 255, 255)) << "nothing shows before the end";
  }
  SelectClipRgn(target.Get(), NULL);
  EXPECT_EQ(target.At(25, 35), kRed);
  EXPECT_EQ(target.At(21, 31), kBlue) << "the area starts in the background colour";
  EXPECT_EQ(target.At(10, 10), RGB(255, 255, 255)) << "outside the clip box";
}

// The offline picture's symbol sits in its upper half: drawn upside down, the
// place would show the plain ground.
TEST(Picture, AResourcePictureIsDrawnUprightAndAMissingOneIsRefused) {
  CPicture picture;
  ASSERT_TRUE(picture.LoadResourceImage("BMP", MAKEINTRESOURCEA(IDR_BMP_GM_FAILED)));
  Canvas canvas(340, 303, RGB(255, 255, 255));
  ASSERT_TRUE(picture.RenderTo(canvas.Get(), 0, 0, 340, 303));
  EXPECT_EQ(canvas.At(126, 70), RGB(70, 75, 84)) << "the map symbol's first panel";
  EXPECT_EQ(canvas.At(170, 290), RGB(28, 31, 36)) << "the plain ground below it";
  EXPECT_FALSE(picture.LoadResourceImage("BMP", MAKEINTRESOURCEA(4321)));
  EXPECT_FALSE(picture.Loaded()) << "the first picture went when the second was asked for";
  EXPECT_FALSE(picture.RenderTo(canvas.Get(), 0, 0, 10, 10));
}

// The engine as a window: its key and mouse rules, full screen, the black
// background that never covers the video.
#include <gtest/gtest.h>

#include <vector>

#include "engine_fixture_win.h"
#include "framework/Owners_win.h"
#include "video/EngineInput_win.h"

namespace {

const LPARAM kRepeat = LPARAM(1) << 30;

TEST(EngineInput, KeysAndClicksMapToTheirActions) {
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    EngineInput expected;
  };
  const Case cases[] = {
      {WM_KEYDOWN, VK_ESCAPE, 1, EngineInput::LeaveFullScreen},
      {WM_KEYUP, VK_ESCAPE, 1, EngineInput::LeaveFullScreen},
      {WM_CHAR, VK_ESCAPE, 1, EngineInput::LeaveFullScreen},
      {WM_LBUTTONDOWN, MK_LBUTTON, 0, EngineInput::LeaveFullScreen},
      {WM_RBUTTONDOWN, MK_RBUTTON, 0, EngineInput::LeaveFullScreen},
      {WM_KEYDOWN, VK_SPACE, 1, EngineInput::TogglePlay},
      {WM_KEYDOWN, VK_RETURN, 1, EngineInput::TogglePlay},
      // One press, one toggle: its key-up and auto-repeats only get swallowed.
      {WM_KEYUP, VK_SPACE, 1, EngineInput::Swallow},
      {WM_KEYDOWN, VK_SPACE, 1 | kRepeat, EngineInput::Swallow},
      {WM_CHAR, VK_RETURN, 1, EngineInput::Swallow},
      {WM_KEYUP, VK_F1, 1, EngineInput::Swallow},
      // The other keys are the main window's, also from the full-screen video.
      {WM_KEYDOWN, 'A', 1, EngineInput::ForwardKey},
      {WM_KEYDOWN, VK_RIGHT, 1 | kRepeat, EngineInput::ForwardKey},
      {WM_CHAR, ',', 1, EngineInput::ForwardKey},
      // Button flags that equal a key code are not that key.
      {WM_MOUSEMOVE, MK_XBUTTON1, 0, EngineInput::PassOn},
      {WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT | MK_CONTROL, 0, EngineInput::PassOn},
      {WM_LBUTTONUP, 0, 0, EngineInput::PassOn},
      {WM_PAINT, 0, 0, EngineInput::PassOn},
  };
  for (const Case& c : cases) {
    MSG msg = {};
    msg.message = c.message;
    msg.wParam = c.wParam;
    msg.lParam = c.lParam;
    EXPECT_EQ(ClassifyEngineInput(msg), c.expected)
        << "message 0x" << std::hex << c.message << " wParam 0x" << c.wParam;
  }
}

// Posts to the video surface, where the message drain delivers the full-screen
// window's input, and lets the program's routing handle it.
void PostToSurface(HWND surface, UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageA(surface, message, wParam, lParam);
  testkit::PumpFor(30);
}

TEST_F(EngineTest, SpaceAndEnterToggleOncePerPress) {
  Open("CLIP.MP4");
  engine->Play();
  ASSERT_EQ(SettledState(), State_Running);

  PostToSurface(Surface(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(SettledState(), State_Paused);
  EXPECT_TRUE(engine->bKeyToggled);
  engine->bKeyToggled = false;
  PostToSurface(Surface(), WM_KEYUP, VK_SPACE, 1 | (LPARAM(1) << 31));
  EXPECT_EQ(SettledState(), State_Paused) << "the key-up toggled back";
  EXPECT_FALSE(engine->bKeyToggled);

  PostToSurface(Surface(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(SettledState(), State_Running);
  EXPECT_TRUE(engine->bKeyToggled);
  engine->bKeyToggled = false;
  PostToSurface(Surface(), WM_MOUSEMOVE, MK_XBUTTON1, MAKELPARAM(5, 5));
  EXPECT_EQ(SettledState(), State_Running);
  EXPECT_FALSE(engine->bKeyToggled);

  MSG other{};
  other.hwnd = Surface();
  other.message = WM_KEYDOWN;
  other.wParam = 'A';
  other.lParam = 1;
  EXPECT_TRUE(engine->PreTranslateMessage(&other)) << "other keys never reach the dialog manager";
}

bool InFullScreen(CMediaLib& engine) {
  long mode = OAFALSE;
  return SUCCEEDED(engine.pVideoWindow->get_FullScreenMode(&mode)) && mode == OATRUE;
}

TEST_F(EngineTest, EscapeAndClicksLeaveFullScreenOntoTheHost) {
  Open("CLIP.MP4");
  engine->Play();
  ASSERT_EQ(SettledState(), State_Running);
  const UINT leaving[] = {WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN};
  for (UINT message : leaving) {
    engine->EnterFullScreen();
    ASSERT_TRUE(InFullScreen(*engine)) << "this renderer has no full-screen mode";
    OAHWND drain = 0;
    engine->pVideoWindow->get_MessageDrain(&drain);
    EXPECT_EQ(reinterpret_cast<HWND>(drain), Surface());
    PostToSurface(Surface(), message, message == WM_KEYDOWN ? VK_ESCAPE : 0, 0);
    EXPECT_FALSE(InFullScreen(*engine)) << "message 0x" << std::hex << message;
    ExpectVideoOnHost(true);
  }
  EXPECT_EQ(SettledState(), State_Running) << "leaving full screen keeps playing";

  // Not in full screen, Escape still leaves it, and puts the video back in place.
  engine->pVideoWindow->SetWindowPosition(10, 10, 100, 80);
  PostToSurface(Surface(), WM_KEYDOWN, VK_ESCAPE, 1);
  ExpectVideoOnHost(true);
}

// The engine window erased into a white bitmap of its own size.
class ErasedImage {
 public:
  ErasedImage(HWND window, int width, int height) : width(width) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap.Reset(CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0));
    pixels = static_cast<const DWORD*>(bits);
    SelectedObject selected(dc.Get(), bitmap.Get());
    RECT all = {0, 0, width, height};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    GdiFlush();
  }
  DWORD At(int x, int y) const { return pixels[y * width + x] & 0xFFFFFF; }

 private:
  MemoryDc dc{NULL};
  GdiBitmap bitmap;
  const DWORD* pixels = nullptr;
  int width;
};

// A start from the command line keeps the engine window hidden until the first
// tick, and the main window's first paint lays out again meanwhile: the video
// must show when the engine window does.
TEST_F(EngineTest, PlacedWhileHiddenTheVideoShowsWithItsWindow) {
  Open("CLIP.MP4");
  ASSERT_TRUE(engine->bReady);
  ShowWindow(engine->GetSafeHwnd(), SW_HIDE);
  engine->Play();
  testkit::PumpFor(500);
  engine->PlaceVideoWindow();
  ShowWindow(engine->GetSafeHwnd(), SW_SHOW);
  testkit::PumpFor(500);
  ExpectVideoOnHost(true);
}

TEST_F(EngineTest, EraseIsBlackAndNeverCoversTheVideo) {
  // The engine larger than its host: the surface covers only the host's part.
  const int width = kHostWidth + 100, height = kHostHeight + 60;
  MoveWindow(engine->GetSafeHwnd(), 0, 0, width, height, FALSE);
  const DWORD kWhite = 0xFFFFFF, kBlack = 0;

  {
    ErasedImage image(engine->GetSafeHwnd(), width, height);  // no graph
    EXPECT_EQ(image.At(10, 10), kBlack);
    EXPECT_EQ(image.At(width - 5, height - 5), kBlack);
    EXPECT_EQ(trace.Take(), "\r\n ****** Set BK Color=RGB(0,0,0) ******* \r\n ");
  }
  RECT surface = {};
  GetWindowRect(Surface(), &surface);
  MapWindowPoints(NULL, engine->GetSafeHwnd(), reinterpret_cast<POINT*>(&surface), 2);
  EXPECT_EQ(surface.left, 0);
  EXPECT_EQ(surface.top, 0);
  EXPECT_EQ(surface.right, kHostWidth) << "the surface fills the host";
  EXPECT_EQ(surface.bottom, kHostHeight);

  Open("CLIP.MP4");
  trace.Take();
  {
    ErasedImage image(engine->GetSafeHwnd(), width, height);
    EXPECT_EQ(image.At(10, 10), kWhite) << "the erase painted over the video";
    EXPECT_EQ(image.At(kHostWidth - 1, kHostHeight - 1), kWhite);
    EXPECT_EQ(image.At(kHostWidth + 5, 10), kBlack);
    EXPECT_EQ(image.At(10, kHostHeight + 5), kBlack);
    EXPECT_EQ(trace.Take(), "\r\n ****** pGraphBuilder != NULL ******* \r\n ");
  }
}

TEST_F(EngineTest, EveryControlColourRequestGetsTheBlackBrush) {
  HWND window = engine->GetSafeHwnd();
  WindowDc windowDc(window);
  HDC dc = windowDc.Get();
  const UINT requests[] = {WM_CTLCOLORSTATIC, WM_CTLCOLORDLG, WM_CTLCOLORBTN, WM_CTLCOLOREDIT};
  for (UINT request : requests) {
    const LRESULT brush = SendMessageA(window, request, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(Surface()));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(engine->brushBlack.Get())) << request;
  }
  LOGBRUSH look = {};
  ASSERT_EQ(GetObjectA(engine->brushBlack.Get(), sizeof look, &look),
            static_cast<int>(sizeof look));
  EXPECT_EQ(look.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(look.lbColor, RGB(0, 0, 0));
}

}  // namespace

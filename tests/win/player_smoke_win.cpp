// Starts the viewer with no clip and checks its main window: what it looks like,
// how it sizes and how it closes. Usage: player_window_smoke.exe [gtest flags] PLAYER_EXE
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>

#include "TopWindow_win.h"
#include "framework/Owners_win.h"

namespace {

std::string playerPath;

const DWORD kShowTimeoutMs = 20000;  // covers a cold wineserver
const DWORD kExitTimeoutMs = 5000;

class PlayerWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string exe = wintest::ToWindowsPath(playerPath);
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(
        CreateProcessA(exe.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        << "cannot start " << exe << ", error " << GetLastError();
    process.Reset(pi.hProcess);
    KernelHandle thread(pi.hThread);
    window = wintest::WaitForTopWindow("PLAYER", pi.dwProcessId, kShowTimeoutMs);
    ASSERT_NE(window, (HWND)NULL) << "no window \"PLAYER\" within " << kShowTimeoutMs << " ms";
  }

  void TearDown() override {
    if (!process.Get() || WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) return;
    if (window) PostMessage(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.Get(), kExitTimeoutMs) != WAIT_OBJECT_0)
      TerminateProcess(process.Get(), 1);
  }

  // Exit code once the process has ended, or -1 if it is still running.
  long ExitCodeAfterWait() {
    if (WaitForSingleObject(process.Get(), kExitTimeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.Get(), &code);
    return static_cast<long>(code);
  }

  KernelHandle process;
  HWND window = NULL;
};

TEST_F(PlayerWindow, IsResizablePopupWithoutCaption) {
  const LONG_PTR style = GetWindowLongPtr(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_EQ(GetParent(window), (HWND)NULL);
}

TEST_F(PlayerWindow, FirstShowsAtTopLeftWithCanvasSize) {
  RECT r = {};
  ASSERT_TRUE(GetWindowRect(window, &r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 1366);
  EXPECT_EQ(r.bottom - r.top, 768);
}

TEST_F(PlayerWindow, SizingStopsAtMinimumOnDraggedSide) {
  struct Case {
    WPARAM edge;
    RECT proposed;
    RECT expected;
  };
  const Case cases[] = {
      {WMSZ_LEFT, {100, 100, 500, 600}, {-184, 100, 500, 600}},
      {WMSZ_RIGHT, {100, 100, 500, 600}, {100, 100, 784, 600}},
      {WMSZ_TOP, {100, 100, 900, 300}, {100, -24, 900, 300}},
      {WMSZ_BOTTOM, {100, 100, 900, 300}, {100, 100, 900, 424}},
      {WMSZ_TOPLEFT, {100, 100, 200, 200}, {-484, -124, 200, 200}},
      {WMSZ_TOPRIGHT, {100, 100, 200, 200}, {100, -124, 784, 200}},
      {WMSZ_BOTTOMLEFT, {100, 100, 200, 200}, {-484, 100, 200, 424}},
      {WMSZ_BOTTOMRIGHT, {100, 100, 200, 200}, {100, 100, 784, 424}},
      {WMSZ_BOTTOMRIGHT, {10, 20, 694, 344}, {10, 20, 694, 344}},  // exactly the minimum
      {WMSZ_LEFT, {0, 0, 1000, 700}, {0, 0, 1000, 700}},           // large enough
  };
  for (const Case& c : cases) {
    RECT r = c.proposed;
    DWORD_PTR result = 0;
    // The rectangle is copied into the window's process and back.
    ASSERT_TRUE(SendMessageTimeout(window, WM_SIZING, c.edge, reinterpret_cast<LPARAM>(&r),
                                   SMTO_ABORTIFHUNG, 5000, &result));
    EXPECT_EQ(r.left, c.expected.left) << "edge " << c.edge;
    EXPECT_EQ(r.top, c.expected.top) << "edge " << c.edge;
    EXPECT_EQ(r.right, c.expected.right) << "edge " << c.edge;
    EXPECT_EQ(r.bottom, c.expected.bottom) << "edge " << c.edge;
  }
}

TEST_F(PlayerWindow, EnterAndEscapeDoNotClose) {
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    PostMessage(window, WM_KEYDOWN, key, 0);
    PostMessage(window, WM_KEYUP, key, 0xC0000000);
  }
  EXPECT_EQ(WaitForSingleObject(process.Get(), 1000), (DWORD)WAIT_TIMEOUT);
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(PlayerWindow, CloseEndsProcessWithExitCodeZero) {
  ASSERT_TRUE(PostMessage(window, WM_CLOSE, 0, 0));
  EXPECT_EQ(ExitCodeAfterWait(), 0);
}

TEST_F(PlayerWindow, SystemCloseCommandEndsProcess) {
  // What Alt+F4 sends.
  ASSERT_TRUE(PostMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0));
  EXPECT_EQ(ExitCodeAfterWait(), 0);
}

// The resources as a Windows loader sees them, without running the program.
TEST(PlayerResources, HasTemplateIconAndManifest) {
  const std::string exe = wintest::ToWindowsPath(playerPath);
  const LoadedModule owner(
      LoadLibraryExA(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  const HMODULE module = owner.Get();
  ASSERT_NE(module, (HMODULE)NULL) << "error " << GetLastError();
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(5)),
            (HRSRC)NULL);  // RT_DIALOG
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)),
            (HRSRC)NULL);  // RT_GROUP_ICON

  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(found, (HRSRC)NULL);
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, SizeofResource(module, found));
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s [gtest flags] PLAYER_EXE\n", argv[0]);
    return 2;
  }
  playerPath = argv[1];
  return RUN_ALL_TESTS();
}

// The engine inside a window as the main window lays it out: a top-level frame,
// a placeholder control as the host, the engine created from template 101 as
// the host's child and moved onto it. Message boxes are answered No.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <dshow.h>

#include <memory>
#include <string>

#include "framework_testkit_win.h"
#include "video/MediaLib_win.h"

// The folder of the generated clips, as Windows sees it (set by main).
extern std::string g_clipDir;

// Size of the host placeholder's client area.
constexpr int kHostWidth = 640;
constexpr int kHostHeight = 360;

// A top-level or child window destroyed with its owner.
class TestWindow {
 public:
  TestWindow() = default;
  explicit TestWindow(HWND h) : hwnd(h) {}
  ~TestWindow() {
    if (hwnd != NULL && IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND Get() const { return hwnd; }

 private:
  HWND hwnd = NULL;
};

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static std::string ClipPath(const std::string& name) { return g_clipDir + "\\" + name; }
  // What the clip loader does: path, open, duration.
  void Open(const std::string& name);
  HWND Surface() const;
  // The graph's state once a change under way has finished (or the timeout passed).
  OAFilterState SettledState(DWORD timeoutMs = 3000);
  // The current position in 100-ns units.
  LONGLONG Position();
  // Expects the renderer's window on the video surface, filling the host, shown
  // or not as `visible` says.
  void ExpectVideoOnHost(bool visible);

  testkit::TraceFile trace;
  testkit::MessageBoxRecorder boxes{IDNO};
  std::unique_ptr<TestWindow> frame;
  HWND host = NULL;
  std::unique_ptr<CMediaLib> engine;
};

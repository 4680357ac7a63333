// The main window as the program runs it, made modeless for a test: COM on the
// thread (set by main), message boxes answered and recorded, the generated clips.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "app/MediaPlayerDlg_win.h"
#include "framework_testkit_win.h"

// The folder of the generated clips, as Windows sees it (set by main).
extern std::string g_clipDir;

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static std::string Clip(const std::string& name) { return g_clipDir + "\\" + name; }
  HWND Item(int id) const { return dlg.GetDlgItem(id); }
  std::string Text(int id) const;
  // The engine window's video surface, which gets the keys of the video.
  HWND VideoSurface() const;
  // Routes messages as the program's loop does until `done` or the timeout.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
  // The second the time text shows (-1 when it shows none).
  int ShownSecond() const;
  int ShownLength() const;
  bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }

  testkit::MessageBoxRecorder boxes{IDNO};
  CMediaPlayerDlg dlg;
};

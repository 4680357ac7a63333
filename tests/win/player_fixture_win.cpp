#include "player_fixture_win.h"

#include <cstdio>

std::string g_clipDir;

void PlayerTest::SetUp() {
  ASSERT_TRUE(dlg.Create(NULL));
  ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
  UpdateWindow(dlg.GetSafeHwnd());
  testkit::PumpFor(50);
}

void PlayerTest::TearDown() {
  dlg.DestroyWindow();
  dlg.ReleaseEngine();
}

std::string PlayerTest::Text(int id) const {
  char text[512] = "";
  GetWindowTextA(Item(id), text, sizeof text);
  return text;
}

// The engine is the video area's child that holds the surface (the other
// camera's frame and line lie above it there).
HWND PlayerTest::VideoSurface() const {
  for (HWND child = GetWindow(Item(IDC_VIDEO_AREA), GW_CHILD); child != NULL;
       child = GetWindow(child, GW_HWNDNEXT))
    if (HWND surface = GetDlgItem(child, IDC_MEDIALIB_VIDEO)) return surface;
  return NULL;
}

bool PlayerTest::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  return testkit::PumpUntil(done, timeoutMs);
}

int PlayerTest::ShownSecond() const {
  unsigned h, m, s, lh, lm, ls;
  if (std::sscanf(Text(IDC_TIME_TEXT).c_str(), " %u:%u:%u / %u:%u:%u", &h, &m, &s, &lh, &lm, &ls) !=
      6)
    return -1;
  return static_cast<int>(h * 3600 + m * 60 + s);
}

int PlayerTest::ShownLength() const {
  unsigned h, m, s, lh, lm, ls;
  if (std::sscanf(Text(IDC_TIME_TEXT).c_str(), " %u:%u:%u / %u:%u:%u", &h, &m, &s, &lh, &lm, &ls) !=
      6)
    return -1;
  return static_cast<int>(lh * 3600 + lm * 60 + ls);
}

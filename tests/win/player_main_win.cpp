// The player window tests' entry: COM on this thread as the program has it, and
// the folder of the generated clips as the last argument.
#include <gtest/gtest.h>

#include <cstdio>

#include "TopWindow_win.h"
#include "framework/Owners_win.h"
#include "player_fixture_win.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: player_window_tests [gtest flags] CLIP_DIR\n");
    return 2;
  }
  g_clipDir = wintest::ToWindowsPath(argv[1]);
  ComApartment com;
  return RUN_ALL_TESTS();
}

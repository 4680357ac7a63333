// The map window's Windows tests: map_tests.exe [gtest flags] FAKE_WEBVIEW2_LOADER_DLL
#include <gtest/gtest.h>

#include <string>

#include "TopWindow_win.h"
#include "framework/Owners_win.h"
#include "map_tests_win.h"

std::string g_fakeLoaderPath;

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) g_fakeLoaderPath = wintest::ToWindowsPath(argv[1]);
  ComApartment com;  // the web view needs a single-threaded apartment
  return RUN_ALL_TESTS();
}

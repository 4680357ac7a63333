# The seek slider and the colour list under Wine (included by tests/win/CMakeLists.txt).
add_wine_gtest(slider_list_tests
  SOURCES slider_list_test_win.cpp slider_list_tests.rc
  LIBS controls framework_testkit comctl32
  TIMEOUT 60)

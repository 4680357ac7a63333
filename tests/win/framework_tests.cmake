# The dialog framework under Wine (included by tests/win/CMakeLists.txt).
add_library(framework_testkit STATIC framework_testkit_win.cpp)
target_include_directories(framework_testkit PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(framework_testkit PUBLIC framework)

add_wine_gtest(framework_tests
  SOURCES framework_dialog_test_win.cpp framework_support_test_win.cpp framework_tests.rc
  LIBS framework_testkit
  TIMEOUT 60)

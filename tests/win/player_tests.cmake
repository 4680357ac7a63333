# The main window's own code under Wine (the whole program is driven by tests/e2e).
add_wine_gtest(player_window_tests
  SOURCES player_playlist_test_win.cpp ${PROJECT_SOURCE_DIR}/resources/player.rc
  LIBS player_window
  TIMEOUT 120)
target_include_directories(player_window_tests PRIVATE
  ${PROJECT_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/app ${PROJECT_SOURCE_DIR})
add_dependencies(player_window_tests player_icon)

# The main window's own code under Wine, with the engine tests' clips (the whole
# program is driven by tests/e2e).
add_wine_gtest(player_window_tests NO_MAIN
  SOURCES player_main_win.cpp player_fixture_win.cpp player_playlist_test_win.cpp
          player_transport_test_win.cpp player_graph_test_win.cpp player_following_test_win.cpp
          ${PROJECT_SOURCE_DIR}/tests/unit/test_files.cpp
          ${PROJECT_SOURCE_DIR}/resources/player.rc
  LIBS player_window framework_testkit wintest demo_drive
  ARGS ${engine_clip_dir}
  TIMEOUT 180)
target_include_directories(player_window_tests PRIVATE
  ${PROJECT_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/app ${PLAYER_SKIN_DIR} ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/tests/unit ${PROJECT_SOURCE_DIR}/tools/demo)
add_dependencies(player_window_tests player_icon)
get_test_property(player_window_tests FIXTURES_REQUIRED player_fixtures)
if(NOT player_fixtures)
  set(player_fixtures)
endif()
set_tests_properties(player_window_tests PROPERTIES FIXTURES_REQUIRED "${player_fixtures};engine_clips")

# The video engine under Wine, on clips that ffmpeg makes at test time
# (included by tests/win/CMakeLists.txt).
set(engine_clip_dir ${CMAKE_CURRENT_BINARY_DIR}/clips)
add_test(NAME engine_clips
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/make_clips.sh ${engine_clip_dir})
set_tests_properties(engine_clips PROPERTIES FIXTURES_SETUP engine_clips TIMEOUT 120)

add_wine_gtest(engine_tests NO_MAIN
  SOURCES engine_main_win.cpp engine_fixture_win.cpp
          engine_open_test_win.cpp engine_control_test_win.cpp
          engine_window_test_win.cpp engine_step_test_win.cpp
          engine_tests.rc
  LIBS video framework_testkit wintest
  ARGS ${engine_clip_dir}
  TIMEOUT 110)
target_include_directories(engine_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
get_test_property(engine_tests FIXTURES_REQUIRED engine_fixtures)
if(NOT engine_fixtures)
  set(engine_fixtures)
endif()
set_tests_properties(engine_tests PROPERTIES FIXTURES_REQUIRED "${engine_fixtures};engine_clips")
# Wine's graph builder has been seen to hang on the transport stream clip while the
# other lane ran a whole-program case beside it; the engine's tests run alone.
set_tests_properties(engine_tests PROPERTIES RUN_SERIAL ON)

# Speed figures (not a test): bash tests/win/engine_bench.sh build/win
add_executable(engine_bench engine_bench_win.cpp ${PROJECT_SOURCE_DIR}/resources/engine.rc)
target_include_directories(engine_bench PRIVATE ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(engine_bench PRIVATE video wintest psapi)

# The video engine under Wine, on clips that ffmpeg makes at test time
# (included by tests/win/CMakeLists.txt).
set(engine_clip_dir ${CMAKE_CURRENT_BINARY_DIR}/clips)
add_test(NAME engine_clips
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/make_clips.sh ${engine_clip_dir})
set_tests_properties(engine_clips PROPERTIES FIXTURES_SETUP engine_clips TIMEOUT 120)

add_wine_gtest(engine_tests NO_MAIN
  SOURCES engine_main_win.cpp engine_fixture_win.cpp
          engine_open_test_win.cpp engine_control_test_win.cpp
          engine_window_test_win.cpp engine_step_test_win.cpp engine_partner_test_win.cpp
          engine_tests.rc
  LIBS video framework_testkit wintest
  ARGS ${engine_clip_dir} --gtest_filter=-*UnrenderableClip*/0
  TIMEOUT 110)
target_include_directories(engine_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
get_test_property(engine_tests FIXTURES_REQUIRED engine_fixtures)
if(NOT engine_fixtures)
  set(engine_fixtures)
endif()
set_tests_properties(engine_tests PROPERTIES FIXTURES_REQUIRED "${engine_fixtures};engine_clips")

# The transport stream clip on its own: Wine's parser for it now and then hangs
# (see once_more_if_hung.sh); a hang gets another attempt.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  add_wine_test(engine_tests_transport_stream
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/once_more_if_hung.sh 20
            ${PLAYER_WINE_RUN} $<TARGET_FILE:engine_tests> ${engine_clip_dir}
            --gtest_filter=*UnrenderableClip*/0
    TIMEOUT 100)
  set_tests_properties(engine_tests_transport_stream PROPERTIES
    FIXTURES_REQUIRED "${engine_fixtures};engine_clips")
endif()

# Speed figures (not a test): bash tests/win/engine_bench.sh build/win
add_executable(engine_bench engine_bench_win.cpp ${PROJECT_SOURCE_DIR}/resources/engine.rc)
target_include_directories(engine_bench PRIVATE ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(engine_bench PRIVATE video wintest psapi)

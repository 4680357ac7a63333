# The video engine under Wine, on clips that ffmpeg makes at test time
# (included by tests/win/CMakeLists.txt).
set(engine_clip_dir ${CMAKE_CURRENT_BINARY_DIR}/clips)
add_test(NAME engine_clips
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/make_clips.sh ${engine_clip_dir})
set_tests_properties(engine_clips PROPERTIES FIXTURES_SETUP engine_clips TIMEOUT 120)

# Wine's media parsers now and then never return from connecting a clip's input
# pin (see once_more_if_hung.sh), on damaged clips and transport streams alike;
# a run that hangs gets another attempt, a failure stays a failure.
add_executable(engine_tests
  engine_main_win.cpp engine_fixture_win.cpp
  engine_open_test_win.cpp engine_control_test_win.cpp
  engine_window_test_win.cpp engine_step_test_win.cpp engine_partner_test_win.cpp
  engine_tests.rc)
target_link_libraries(engine_tests PRIVATE gtest_win video framework_testkit wintest)
target_include_directories(engine_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(engine_run bash ${CMAKE_CURRENT_SOURCE_DIR}/once_more_if_hung.sh)
  add_wine_test(engine_tests
    COMMAND ${engine_run} 90 ${PLAYER_WINE_RUN} $<TARGET_FILE:engine_tests> ${engine_clip_dir}
            --gtest_filter=-*UnrenderableClip*/0
    TIMEOUT 380)
  add_wine_test(engine_tests_transport_stream
    COMMAND ${engine_run} 20 ${PLAYER_WINE_RUN} $<TARGET_FILE:engine_tests> ${engine_clip_dir}
            --gtest_filter=*UnrenderableClip*/0
    TIMEOUT 100)
else()
  add_wine_test(engine_tests COMMAND engine_tests ${engine_clip_dir} TIMEOUT 110)
endif()
get_test_property(engine_tests FIXTURES_REQUIRED engine_fixtures)
if(NOT engine_fixtures)
  set(engine_fixtures)
endif()
foreach(test engine_tests engine_tests_transport_stream)
  if(TEST ${test})
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED "${engine_fixtures};engine_clips")
  endif()
endforeach()

# Speed figures (not a test): bash tests/win/engine_bench.sh build/win
add_executable(engine_bench engine_bench_win.cpp ${PROJECT_SOURCE_DIR}/resources/engine.rc)
target_include_directories(engine_bench PRIVATE ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(engine_bench PRIVATE video wintest psapi)

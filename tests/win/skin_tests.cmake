# The skin's button, off-screen drawing and pictures under Wine (included by
# tests/win/CMakeLists.txt).
add_wine_gtest(skin_tests
  SOURCES skin_test_win.cpp skin_tests.rc
  LIBS controls framework_testkit comctl32
  TIMEOUT 90)
target_include_directories(skin_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources ${PLAYER_SKIN_DIR})
add_dependencies(skin_tests player_skin)
set_source_files_properties(skin_tests.rc PROPERTIES OBJECT_DEPENDS "${PLAYER_SKIN_DIR}/stamp")

# The map window and the web view host under Wine (included by tests/win/CMakeLists.txt).
# The probe only ever reaches loopback ports here; the web view runtime is a
# stand-in of our own, built as a WebView2Loader.dll in its own folder so that
# the host's default lookup finds none.
add_library(fake_webview2 SHARED map_fake_webview2_win.cpp)
target_include_directories(fake_webview2 PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(fake_webview2 PRIVATE ole32 user32)
set_target_properties(fake_webview2 PROPERTIES
  PREFIX "" OUTPUT_NAME WebView2Loader
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fake_webview2)

add_wine_gtest(map_tests NO_MAIN
  SOURCES map_test_main_win.cpp map_window_test_win.cpp map_host_test_win.cpp
          map_instance_test_win.cpp
          map_test_support_win.cpp map_tests.rc
  LIBS map_win wintest ws2_32
  ARGS $<TARGET_FILE:fake_webview2>
  TIMEOUT 120)
target_include_directories(map_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
add_dependencies(map_tests fake_webview2)

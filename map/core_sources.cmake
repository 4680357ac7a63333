# The map's portable code (route, position and page files), built into the core library.
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/text_mode_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/route_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/route_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/route_seconds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trip_route.cpp
  ${CMAKE_CURRENT_LIST_DIR}/target_pos_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rewritten_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/map_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/map_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/map_core.cpp
  ${CMAKE_CURRENT_LIST_DIR}/instance_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/internet_ok.cpp
  ${CMAKE_CURRENT_LIST_DIR}/web_address.cpp
)

# The player window's portable rules, built into the core library.
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clip_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/readouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playlist_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gauges.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/player_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clip_facts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trip_index.cpp
  ${CMAKE_CURRENT_LIST_DIR}/camera_pair.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pair_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/partner_sync.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pair_playlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dropped_files.cpp
)

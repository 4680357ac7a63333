# The video engine's portable rules, built into the core library.
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clip_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clip_length.cpp
  ${CMAKE_CURRENT_LIST_DIR}/snapshot_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/second_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_rgb.cpp
)

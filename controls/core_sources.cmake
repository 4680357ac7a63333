# The skinned controls' portable arithmetic, built into the core library.
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/skin_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/slider_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_resample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_mask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_colours.cpp
)

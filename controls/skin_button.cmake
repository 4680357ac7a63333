target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SkinImage_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinButton_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Picture_win.cpp)

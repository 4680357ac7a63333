# The G-sensor graph's plot arithmetic, built into the core library.
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gsensor_plot.cpp
)

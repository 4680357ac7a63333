# The seek slider and the colour list of the main window.
target_sources(controls PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NiceSliderCtrl_win.cpp ${CMAKE_CURRENT_LIST_DIR}/ColorListBox_win.cpp)

# The sound recorder and the timers on Qt.
if(LEXO_BUILD_UI)
  target_sources(lexo_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/qt_recorder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_timers.cpp
  )
endif()

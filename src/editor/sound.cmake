# The WAV header reader and writer, the recording rules and the sound window.
target_sources(lexo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wav_header.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_recording.cpp
)
if(LEXO_BUILD_UI)
  target_sources(lexo_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/sound_window.cpp
  )
endif()

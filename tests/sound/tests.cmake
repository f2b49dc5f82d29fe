# The sound side of the editor: WAV files, recording names and sessions, the sound window,
# the recorder and timers on Qt.
list(APPEND LEXO_CORE_TEST_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/wav_header_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/sound_recording_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/sound_window_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/sound_recorder_test.cpp
)

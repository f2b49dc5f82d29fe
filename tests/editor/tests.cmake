list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/editor_session_test.cpp
  ${LEXO_TEST_DIR}/editor_edit_session_test.cpp
  ${LEXO_TEST_DIR}/sound_recording_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/editor_window_test.cpp
  ${LEXO_TEST_DIR}/edit_dialog_test.cpp
  ${LEXO_TEST_DIR}/sound_window_test.cpp
  ${LEXO_TEST_DIR}/sound_recorder_test.cpp
)

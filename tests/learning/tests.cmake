list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/learning_session_test.cpp
  ${LEXO_TEST_DIR}/learning_settings_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/learning_window_test.cpp
  ${LEXO_TEST_DIR}/learning_settings_window_test.cpp
)

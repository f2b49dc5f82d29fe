list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/tips_test.cpp
  ${LEXO_TEST_DIR}/update_check_test.cpp
  ${LEXO_TEST_DIR}/author_message_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/http_download_test.cpp
  ${LEXO_TEST_DIR}/help_windows_test.cpp
)

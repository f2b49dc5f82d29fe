list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/upper_case_entry_test.cpp
)

# Printing of the evaluation's list.
list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/print_list_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/print_window_test.cpp
)

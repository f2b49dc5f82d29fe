list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/word_list_test.cpp
  ${LEXO_TEST_DIR}/translator_session_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/translator_window_test.cpp
)

# The word-list generator on a small dictd dictionary made by the test.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME make_word_list COMMAND Python3::Interpreter ${LEXO_TEST_DIR}/make_word_list_check.py
  ${PROJECT_SOURCE_DIR}/tools/make_word_list.py)

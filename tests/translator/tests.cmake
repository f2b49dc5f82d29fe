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

if(LEXO_BUILD_UI)
  add_test(NAME lexo_translator_run COMMAND ${LEXO_TEST_DIR}/../e2e/translator_run.sh $<TARGET_FILE:lexo>)
  set_tests_properties(lexo_translator_run PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RESOURCE_LOCK xvfb)
endif()

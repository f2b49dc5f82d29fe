list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/grading_test.cpp
  ${LEXO_TEST_DIR}/random_order_test.cpp
  ${LEXO_TEST_DIR}/tester_settings_test.cpp
  ${LEXO_TEST_DIR}/test_one_session_test.cpp
  ${LEXO_TEST_DIR}/evaluation_session_test.cpp
  ${LEXO_TEST_DIR}/extended_testing_session_test.cpp
)
include(${CMAKE_CURRENT_LIST_DIR}/test_one_windows_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/shared_windows_tests.cmake OPTIONAL)

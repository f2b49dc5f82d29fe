list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/grading_test.cpp
  ${LEXO_TEST_DIR}/random_order_test.cpp
  ${LEXO_TEST_DIR}/tester_settings_test.cpp
  ${LEXO_TEST_DIR}/typed_exam_session_test.cpp
  ${LEXO_TEST_DIR}/evaluation_session_test.cpp
  ${LEXO_TEST_DIR}/extended_testing_session_test.cpp
  ${LEXO_TEST_DIR}/self_assessed_exam_session_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/evaluation_window_test.cpp
  ${LEXO_TEST_DIR}/extended_testing_window_test.cpp
  ${LEXO_TEST_DIR}/typed_exam_window_test.cpp
  ${LEXO_TEST_DIR}/tester_settings_window_test.cpp
  ${LEXO_TEST_DIR}/self_assessed_exam_window_test.cpp
)

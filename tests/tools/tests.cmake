# Printing of the evaluation's list.
list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/print_list_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/print_window_test.cpp
)
list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/converter_session_test.cpp
  ${LEXO_TEST_DIR}/csv_exchange_test.cpp
  ${LEXO_TEST_DIR}/merger_session_test.cpp
  ${LEXO_TEST_DIR}/tool_commands_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/converter_window_test.cpp
  ${LEXO_TEST_DIR}/kvtml_exchange_test.cpp
  ${LEXO_TEST_DIR}/merger_window_test.cpp
)

add_test(NAME lexo_tool_exchange COMMAND ${CMAKE_COMMAND}
  -DTOOL=$<TARGET_FILE:lexo-tool> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/tool_exchange
  -P ${LEXO_TEST_DIR}/lexo_tool_exchange.cmake)

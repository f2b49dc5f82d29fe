list(APPEND LEXO_CORE_TEST_SOURCES
  ${LEXO_TEST_DIR}/statistics_file_test.cpp
  ${LEXO_TEST_DIR}/statistics_store_test.cpp
  ${LEXO_TEST_DIR}/statistics_chart_test.cpp
  ${LEXO_TEST_DIR}/statistics_report_test.cpp
  ${LEXO_TEST_DIR}/statistics_values_test.cpp
)
list(APPEND LEXO_UI_TEST_SOURCES
  ${LEXO_TEST_DIR}/statistics_window_test.cpp
)

add_test(NAME lexo_tool_stats COMMAND ${CMAKE_COMMAND}
  -DTOOL=$<TARGET_FILE:lexo-tool> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/tool_stats
  -P ${LEXO_TEST_DIR}/lexo_tool_stats.cmake)

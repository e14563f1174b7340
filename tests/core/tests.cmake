list(APPEND SCRIVLET_CORE_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/date_pattern_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mail_url_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/note_logic_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recovery_rules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_rules_test.cpp)
list(APPEND SCRIVLET_CORE_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/textfile_rules_test.cpp)

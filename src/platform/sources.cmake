# Handle-free logic of the platform: code pages, date patterns, units and the page layout.
target_sources(scrivlet_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/text/code_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text/date_pattern.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win/units.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print/print_layout.cpp)
if(WIN32)
  target_sources(scrivlet_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/modMsgBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modPrintRTB.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modRegistry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RichTextBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/print/print_job.cpp
    ${CMAKE_CURRENT_LIST_DIR}/print/print_pages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text/ansi_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text/user_dates.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/dpi.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/late_bound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/message_boxes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/program_windows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/Form.cpp)
endif()

target_sources(scrivlet_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/code_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_pattern.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/units.cpp)
if(WIN32)
  target_sources(scrivlet_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/modMsgBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modRegistry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RichTextBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell_services.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TwipsLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ansi_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dpi.cpp
    ${CMAKE_CURRENT_LIST_DIR}/late_loading.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_boxes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_windows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/user_dates.cpp)
endif()
target_sources(scrivlet_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/print_layout.cpp)
if(WIN32)
  target_sources(scrivlet_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/modPrintRTB.cpp
    ${CMAKE_CURRENT_LIST_DIR}/print_pages.cpp)
endif()

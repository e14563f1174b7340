# The text-file window and its helpers.
target_sources(scrivlet_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/note_text_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ole_date.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/txt_rules.cpp)
if(WIN32)
  target_sources(scrivlet_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/clsFindFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmSavetxt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modBrowser.cpp)
endif()

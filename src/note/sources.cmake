target_sources(scrivlet_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/modMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/note_colors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/note_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/note_parts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_location.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recovery_rules.cpp)
if(WIN32)
  target_sources(scrivlet_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/COutlookNote.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteAccessible.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteChrome.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteColors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteLocation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteMinimize.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteMouse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoteRecovery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecoveryCopy.cpp)
endif()
if(WIN32)
  target_sources(scrivlet_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/NotePrint.cpp)
endif()

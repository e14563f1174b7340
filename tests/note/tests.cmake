scrivlet_wine_test(note_tests ${CMAKE_CURRENT_LIST_DIR}/NoteWindowTest.cpp)
# The test is the screen reader: it asks for the note's accessible object as one does.
target_link_libraries(note_tests PRIVATE oleacc oleaut32)
scrivlet_wine_test(note_settings_tests ${CMAKE_CURRENT_LIST_DIR}/NoteSettingsTest.cpp)

# The same note on a 144-dpi screen: the program's frame scales with it.
scrivlet_wine_program(note_dpi_tests ${CMAKE_CURRENT_LIST_DIR}/NoteDpiTest.cpp)
if(SCRIVLET_RUN_WINE_TESTS)
  scrivlet_add_wine_test(NAME note_dpi_tests${X}
    COMMAND timeout -k 10 300 sh ${CMAKE_CURRENT_LIST_DIR}/at_dpi.sh 144 $<TARGET_FILE:note_dpi_tests>
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(note_dpi_tests${X} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
endif()
# Real note processes that end every way a process ends; registered with the
# text-file drives, for the full disk T:.
scrivlet_wine_test(recovery_tests ${CMAKE_CURRENT_LIST_DIR}/RecoveryTest.cpp)
# The icons and the title from the folder of a user whose name the ANSI code page cannot hold,
# and the date line's text in a French long date.
scrivlet_profile_rerun(note_tests "NoteTest.LoadsTitleTextAreaIconsAndMenu:NoteTest.PaintsStripSeparatorIconsAndGrip")
scrivlet_rerun(note_tests french "NoteTest.AccessibleObjectNamesAndPlacesEveryPart" LC_ALL=fr_FR.UTF-8)
scrivlet_profile_rerun(note_settings_tests "LocationTest.NewNoteStartsASecondWorkingCopy")

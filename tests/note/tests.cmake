scrivlet_wine_test(note_tests ${CMAKE_CURRENT_LIST_DIR}/NoteWindowTest.cpp)
scrivlet_wine_test(note_settings_tests ${CMAKE_CURRENT_LIST_DIR}/NoteSettingsTest.cpp)

# The text-file window, the file search object and the folder picker, against
# real folders, drives and dialogs of a Wine prefix of their own: a copy of the
# tests' prefix with a CD-ROM drive E: and a 64 KB disk T: (drives.sh).
scrivlet_wine_test(textfile_tests
  ${CMAKE_CURRENT_LIST_DIR}/textfile_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrowserTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SavetxtTest.cpp)
if(SCRIVLET_RUN_WINE_TESTS)
  set(textfile_prefix ${CMAKE_BINARY_DIR}/textfile-wineprefix)
  set(textfile_drives ${CMAKE_BINARY_DIR}/textfile-drives)
  set(textfile_env ${SCRIVLET_WINE_ENV})
  list(FILTER textfile_env EXCLUDE REGEX "^WINEPREFIX=")
  list(APPEND textfile_env WINEPREFIX=${textfile_prefix})
  foreach(step up down)
    scrivlet_add_wine_test(NAME textfile_drives_${step}${X}
      COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/drives.sh ${step} ${SCRIVLET_WINEPREFIX} ${textfile_prefix} ${textfile_drives})
  endforeach()
  set_tests_properties(textfile_drives_up${X} PROPERTIES
    FIXTURES_SETUP textfile_drives FIXTURES_REQUIRED wine ENVIRONMENT "${textfile_env}")
  set_tests_properties(textfile_drives_down${X} PROPERTIES FIXTURES_CLEANUP textfile_drives ENVIRONMENT "${textfile_env}")
  set_tests_properties(textfile_tests${X} recovery_tests${X} PROPERTIES
    FIXTURES_REQUIRED "wine;textfile_drives" ENVIRONMENT "${textfile_env}")
endif()
# Names outside ASCII are left out there: this machine has no such locale installed, and Wine
# gives Linux file names the locale's character set, ASCII when the locale is missing.
scrivlet_utf8_rerun(textfile_tests "SavetxtTest.*-SavetxtTest.ListsAFolderOfTwentyThousandFiles:SavetxtTest.AMegabyteNoteGoesOutAndComesBackWhole:SavetxtTest.TheRealFolderDialog:SavetxtTest.NamesInAnyScript")
scrivlet_profile_rerun(textfile_tests "SavetxtTest.TheWindowInSaveMode:SavetxtTest.SavesInTheProgramsFolderFirst")

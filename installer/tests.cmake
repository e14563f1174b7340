# The installer's round trip under Wine: built from this build's program with makensis,
# installed and uninstalled silently in the test prefix.
add_test(NAME installer_roundtrip
  COMMAND timeout -k 10 300 bash ${CMAKE_CURRENT_LIST_DIR}/roundtrip.sh
    ${PROJECT_VERSION} $<TARGET_FILE_DIR:scrivlet> ${CMAKE_BINARY_DIR}/installer)
set_tests_properties(installer_roundtrip PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")

# The release built twice from these sources in two other folders, compared byte for byte.
add_test(NAME release_reproducible
  COMMAND timeout -k 10 1800 bash ${CMAKE_CURRENT_LIST_DIR}/reproducible.sh ${CMAKE_BINARY_DIR}/reproducible)
# Two release builds of both programs: alone, with both cores.
set_tests_properties(release_reproducible PROPERTIES RUN_SERIAL TRUE SKIP_RETURN_CODE 77)

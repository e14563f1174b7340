scrivlet_wine_test(platform_tests ${CMAKE_CURRENT_LIST_DIR}/PlatformTest.cpp ${CMAKE_CURRENT_LIST_DIR}/FaultTest.cpp)

# Printing: the page loop on scripted stand-ins, the text area's format-range
# operation, and real jobs on the CUPS PDF queue that scripts/test starts. The
# 32-bit Wine comes without a CUPS library: there the jobs on the queue are left out.
set(print_sources
  ${CMAKE_CURRENT_LIST_DIR}/PrintLoopTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintFormatRangeTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintPdfTest.cpp)
if(X)
  scrivlet_wine_program(print_tests ${print_sources})
  if(SCRIVLET_RUN_WINE_TESTS)
    scrivlet_add_wine_test(NAME print_tests${X}
      COMMAND timeout -k 10 600 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:print_tests>
        --gtest_filter=-PrintNoteTest.*:PrintNoPrinter.*
      WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    set_tests_properties(print_tests${X} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  endif()
else()
  scrivlet_wine_test(print_tests ${print_sources})
endif()
if(SCRIVLET_RUN_WINE_TESTS AND NOT X)
  # The printer queue is shared by every test that prints.
  set_tests_properties(print_tests PROPERTIES RUN_SERIAL TRUE)
  scrivlet_add_wine_test(NAME print_no_printer
    COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/without-printer.sh
      timeout -k 10 120 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:print_tests> --gtest_filter=PrintNoPrinter.*
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(print_no_printer PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL TRUE SKIP_RETURN_CODE 77
    ENVIRONMENT "${SCRIVLET_WINE_ENV};SCRIVLET_EXPECT_NO_PRINTER=1")
endif()

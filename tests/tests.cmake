option(SCRIVLET_BUILD_TESTS "Build the tests" ON)
if(NOT SCRIVLET_BUILD_TESTS)
  return()
endif()

if(CMAKE_CROSSCOMPILING)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# Handle-free logic, on every platform.
set(SCRIVLET_CORE_TEST_SOURCES)
include(${CMAKE_CURRENT_LIST_DIR}/core/tests.cmake)
add_executable(core_tests ${SCRIVLET_CORE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE scrivlet_core GTest::gtest_main)

# The 32-bit programs run under the i386 Wine that scripts/x86-wine.sh unpacks, through
# scripts/wine32, in a 32-bit prefix of their own. Their tests end in _x86, so that a failure
# names the architecture, and are skipped (77) where this machine cannot run them.
set(SCRIVLET_X86_WINE "" CACHE PATH "Folder of the 32-bit Wine of scripts/x86-wine.sh; with it the x86 tests run")
set(SCRIVLET_ARCH_SUFFIX "")
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND SCRIVLET_X86_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine32)
  set(SCRIVLET_ARCH_SUFFIX _x86)
endif()
set(X ${SCRIVLET_ARCH_SUFFIX})

set(SCRIVLET_RUN_WINE_TESTS OFF)
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  set(SCRIVLET_RUN_WINE_TESTS ON)
endif()
set(SCRIVLET_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix of the tests")
set(SCRIVLET_WINE_ENV WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=" WINEPREFIX=${SCRIVLET_WINEPREFIX}
  "SCRIVLET_WINE=${CMAKE_CROSSCOMPILING_EMULATOR}" "SCRIVLET_X86_WINE=${SCRIVLET_X86_WINE}")

if(SCRIVLET_NATIVE_TESTS)
  add_test(NAME native_core_tests COMMAND ${SCRIVLET_NATIVE_TESTS})
endif()

if(NOT WIN32)
  add_test(NAME core_tests COMMAND core_tests)
  return()
endif()

# Windows tests: real windows, menus, files and registry, run under Wine here.
add_library(scrivlet_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/support/dialog_driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/dialog_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/menu_catcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/readers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/win_test_main.cpp)
target_include_directories(scrivlet_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(scrivlet_test_support PUBLIC scrivlet_app GTest::gtest)

if(SCRIVLET_RUN_WINE_TESTS)
  add_test(NAME wine_up${X} COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/wine-up.sh)
  add_test(NAME wine_down${X} COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/wine-down.sh)
  set_tests_properties(wine_up${X} PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  set_tests_properties(wine_down${X} PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  add_test(NAME core_tests_wine${X} COMMAND timeout -k 10 300 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:core_tests>)
  set_tests_properties(core_tests_wine${X} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
endif()

# A Windows test program with the program's own resources; scrivlet_wine_test
# also registers it, one CTest test per program.
function(scrivlet_wine_program name)
  add_executable(${name} ${ARGN} ${SCRIVLET_PROGRAM_RESOURCES})
  target_link_libraries(${name} PRIVATE scrivlet_test_support scrivlet_warnings)
  add_dependencies(${name} scrivlet_icons)
endfunction()

function(scrivlet_wine_test name)
  scrivlet_wine_program(${name} ${ARGN})
  if(SCRIVLET_RUN_WINE_TESTS)
    add_test(NAME ${name}${X}
      COMMAND timeout -k 10 600 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
      WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    set_tests_properties(${name}${X} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  endif()
endfunction()

# Runs the tests of a registered test program matching `filter` once more under
# a UTF-8 system code page: Wine takes the ANSI code page from the locale, and
# a locale without one of its own gives 65001.
function(scrivlet_utf8_rerun name filter)
  if(SCRIVLET_RUN_WINE_TESTS)
    add_test(NAME ${name}_utf8${X}
      COMMAND timeout -k 10 600 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> --gtest_filter=${filter}
      WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    get_test_property(${name}${X} ENVIRONMENT env)
    get_test_property(${name}${X} FIXTURES_REQUIRED fixtures)
    set_tests_properties(${name}_utf8${X} PROPERTIES FIXTURES_REQUIRED "${fixtures}"
      ENVIRONMENT "${env};LC_ALL=hi_IN.UTF-8;SCRIVLET_EXPECT_ACP=65001")
  endif()
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/menu/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/note/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/platform/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/textfile/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/mail/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/soak/tests.cmake)

# The installer and the release are tested once, with the 64-bit program.
if(SCRIVLET_RUN_WINE_TESTS AND NOT X)
  include(${CMAKE_SOURCE_DIR}/installer/tests.cmake)
endif()

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
# Wine takes the machine's ANSI code page from the locale: the tests run on a 1252 machine
# (and again on a UTF-8 one, scrivlet_utf8_rerun) whatever locale the build machine has.
# C.UTF-8 is always installed: with it Wine gives Linux file names UTF-8.
set(SCRIVLET_WINE_ENV WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=" WINEPREFIX=${SCRIVLET_WINEPREFIX}
  "SCRIVLET_WINE=${CMAKE_CROSSCOMPILING_EMULATOR}" "SCRIVLET_X86_WINE=${SCRIVLET_X86_WINE}"
  LC_ALL=C.UTF-8 SCRIVLET_EXPECT_ACP=1252)

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

# The 64-bit Windows tests run on a second Windows as well: Debian 13's Wine 10, in the root
# that scripts/wine10-root.sh builds. scripts/wine10 runs a test's own command in that root,
# where /usr/lib/wine/wine64 is Wine 10, so both Wines run the same test programs. Each test
# registered with scrivlet_add_wine_test gets a twin ending in _wine10 (scrivlet_wine10_twins,
# once everything is registered) with its own prefixes and other state under wine10/ of the
# build folder, and is skipped (77) where the root cannot run. Left out: what needs the host's
# services (the print jobs on the CUPS queue: the twins see no printer) and the soak.
set(SCRIVLET_WINE10_ROOT "" CACHE PATH "Folder of the Wine 10 root of scripts/wine10-root.sh; with it the _wine10 tests run")
set(SCRIVLET_WINE10_LEAVE_OUT soak_tests print_no_printer)

# add_test for a test that runs under Wine, remembered for its Wine 10 twin and labelled
# with its group, the folder whose tests.cmake registers it (ctest -L note).
function(scrivlet_add_wine_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;WORKING_DIRECTORY" "COMMAND")
  set(dir)
  if(arg_WORKING_DIRECTORY)
    set(dir WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
  endif()
  add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND} ${dir})
  get_filename_component(group ${CMAKE_CURRENT_LIST_DIR} NAME)
  set_tests_properties(${arg_NAME} PROPERTIES LABELS ${group})
  set_property(GLOBAL APPEND PROPERTY SCRIVLET_WINE_TESTS ${arg_NAME})
  set_property(GLOBAL PROPERTY SCRIVLET_WINE_TEST_COMMAND_${arg_NAME} "${arg_COMMAND}")
endfunction()

# A path of the Wine 8 run as the Wine 10 twin sees it: the same programs in bin/, every
# other folder of the build (prefixes, drives) under wine10/.
function(scrivlet_wine10_path out value)
  string(LENGTH "${CMAKE_BINARY_DIR}/" n)
  string(SUBSTRING "${value}" 0 ${n} head)
  string(FIND "${value}" "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}" bin)
  if(head STREQUAL "${CMAKE_BINARY_DIR}/" AND NOT bin EQUAL 0)
    string(SUBSTRING "${value}" ${n} -1 tail)
    set(value "${CMAKE_BINARY_DIR}/wine10/${tail}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

function(scrivlet_wine10_twins)
  if(NOT SCRIVLET_RUN_WINE_TESTS OR X OR NOT SCRIVLET_WINE10_ROOT)
    return()
  endif()
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/wine10)
  get_property(tests GLOBAL PROPERTY SCRIVLET_WINE_TESTS)
  foreach(name IN LISTS tests)
    if(name IN_LIST SCRIVLET_WINE10_LEAVE_OUT)
      continue()
    endif()
    get_property(command GLOBAL PROPERTY SCRIVLET_WINE_TEST_COMMAND_${name})
    set(twin_command)
    foreach(arg IN LISTS command)
      scrivlet_wine10_path(arg "${arg}")
      list(APPEND twin_command "${arg}")
    endforeach()
    get_test_property(${name} WORKING_DIRECTORY dir)
    if(NOT dir)
      set(dir ${CMAKE_BINARY_DIR})
    endif()
    add_test(NAME ${name}_wine10 COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine10 ${twin_command} WORKING_DIRECTORY ${dir})
    get_test_property(${name} ENVIRONMENT env)
    set(twin_env "SCRIVLET_WINE10_ROOT=${SCRIVLET_WINE10_ROOT}" SCRIVLET_PDF_DIR=)
    foreach(entry IN LISTS env)
      string(FIND "${entry}" "=" eq)
      string(SUBSTRING "${entry}" 0 ${eq} var)
      math(EXPR eq "${eq} + 1")
      string(SUBSTRING "${entry}" ${eq} -1 value)
      scrivlet_wine10_path(value "${value}")
      list(APPEND twin_env "${var}=${value}")
    endforeach()
    set_tests_properties(${name}_wine10 PROPERTIES ENVIRONMENT "${twin_env}" SKIP_RETURN_CODE 77)
    foreach(property FIXTURES_SETUP FIXTURES_CLEANUP FIXTURES_REQUIRED)
      get_test_property(${name} ${property} fixtures)
      if(fixtures)
        list(TRANSFORM fixtures APPEND _wine10)
        set_tests_properties(${name}_wine10 PROPERTIES ${property} "${fixtures}")
      endif()
    endforeach()
    foreach(property LABELS RUN_SERIAL TIMEOUT)
      get_test_property(${name} ${property} value)
      if(value)
        set_tests_properties(${name}_wine10 PROPERTIES ${property} "${value}")
      endif()
    endforeach()
  endforeach()
endfunction()
# Once every test, the benchmarks' too, is registered.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL scrivlet_wine10_twins)

if(SCRIVLET_RUN_WINE_TESTS)
  scrivlet_add_wine_test(NAME wine_up${X} COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/wine-up.sh)
  scrivlet_add_wine_test(NAME wine_down${X} COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/wine-down.sh)
  set_tests_properties(wine_up${X} PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  set_tests_properties(wine_down${X} PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  scrivlet_add_wine_test(NAME core_tests_wine${X} COMMAND timeout -k 10 300 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:core_tests>)
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
    scrivlet_add_wine_test(NAME ${name}${X}
      COMMAND timeout -k 10 600 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
      WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    set_tests_properties(${name}${X} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  endif()
endfunction()

# Runs the tests of a registered test program matching `filter` once more, as
# <name>_<suffix>, with the environment entries that follow: under another
# locale (Wine takes the machine's code page and the user's formats from it),
# or from another folder.
function(scrivlet_rerun name suffix filter)
  if(SCRIVLET_RUN_WINE_TESTS)
    scrivlet_add_wine_test(NAME ${name}_${suffix}${X}
      COMMAND timeout -k 10 600 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> --gtest_filter=${filter}
      WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    get_test_property(${name}${X} ENVIRONMENT env)
    get_test_property(${name}${X} FIXTURES_REQUIRED fixtures)
    set_tests_properties(${name}_${suffix}${X} PROPERTIES FIXTURES_REQUIRED "${fixtures}" ENVIRONMENT "${env};${ARGN}")
  endif()
endfunction()

# On a machine whose ANSI code page is UTF-8: a locale without one of its own gives 65001.
function(scrivlet_utf8_rerun name filter)
  scrivlet_rerun(${name} utf8 "${filter}" LC_ALL=hi_IN.UTF-8 SCRIVLET_EXPECT_ACP=65001)
endfunction()

# From the folder a per-user setup makes for a user whose name the machine's code
# page cannot hold: the test program copies itself, the note and its icons into
# C:\users\Łukasz Dvořák\AppData\Local\Programs\Scrivlet and runs from there.
function(scrivlet_profile_rerun name filter)
  scrivlet_rerun(${name} profile "${filter}" SCRIVLET_FROM_PROFILE=1)
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

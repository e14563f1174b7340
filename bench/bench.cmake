# Benchmarks: Scrivlet against its floors, measured side by side in one run by
# scripts/bench. They never fail a build or a test run.
option(SCRIVLET_BUILD_BENCH "Build the benchmark programs" ON)
if(NOT SCRIVLET_BUILD_BENCH)
  return()
endif()

# The handle-free part: run summaries, goals, the table, the measured texts.
add_library(scrivlet_bench_stats STATIC ${CMAKE_CURRENT_LIST_DIR}/bench_stats.cpp)
target_include_directories(scrivlet_bench_stats PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(scrivlet_bench_stats PRIVATE scrivlet_warnings)
if(SCRIVLET_SANITIZE AND NOT WIN32)
  target_compile_options(scrivlet_bench_stats PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(scrivlet_bench_stats PUBLIC -fsanitize=address,undefined)
endif()

if(TARGET GTest::gtest_main)
  add_executable(bench_tests ${CMAKE_CURRENT_LIST_DIR}/tests/bench_stats_test.cpp)
  target_link_libraries(bench_tests PRIVATE scrivlet_bench_stats scrivlet_warnings GTest::gtest_main)
  if(NOT WIN32)
    add_test(NAME bench_tests COMMAND bench_tests)
  elseif(SCRIVLET_RUN_WINE_TESTS)
    add_test(NAME bench_tests${X} COMMAND timeout -k 10 120 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:bench_tests>)
    set_tests_properties(bench_tests${X} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${SCRIVLET_WINE_ENV}")
  endif()
endif()

if(NOT WIN32)
  return()
endif()

# The floor of the start and memory measures, with the program's manifest: the
# least a program must do includes asking for UTF-8, per-monitor DPI awareness
# and version 6 of the common controls, as the note must.
add_executable(bench_floor WIN32 ${CMAKE_CURRENT_LIST_DIR}/bench_floor.cpp ${SCRIVLET_PROGRAM_RESOURCES})
add_dependencies(bench_floor scrivlet_icons)
target_include_directories(bench_floor PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(bench_floor PRIVATE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(bench_floor PRIVATE scrivlet_warnings user32)

# The measuring program: starts the programs, and drives a real note and the
# floors inside its own process.
add_executable(scrivlet_bench
  ${CMAKE_CURRENT_LIST_DIR}/scrivlet_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bench_common.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bench_start.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bench_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bench_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bench_print.cpp)
target_link_libraries(scrivlet_bench PRIVATE scrivlet_app scrivlet_bench_stats scrivlet_warnings psapi)
add_dependencies(scrivlet_bench scrivlet bench_floor scrivlet_icons)

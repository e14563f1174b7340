# The icon files are drawn by res/icongen from code, never checked in as binaries.
set(SCRIVLET_ICON_FILES note.ico sizegrip.ico close.ico min.ico)
set(_icon_outputs)
foreach(f ${SCRIVLET_ICON_FILES})
  list(APPEND _icon_outputs ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${f})
endforeach()
list(APPEND _icon_outputs ${CMAKE_BINARY_DIR}/res/scrivlet.ico)
set(_icongen_src ${CMAKE_CURRENT_LIST_DIR}/icongen/icongen.cpp)

if(CMAKE_CROSSCOMPILING)
  # The generator must run on the build machine, so it is built with the host compiler.
  find_program(SCRIVLET_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(_icongen ${CMAKE_BINARY_DIR}/res/icongen-host)
  add_custom_command(OUTPUT ${_icongen}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
    COMMAND ${SCRIVLET_HOST_CXX} -std=c++17 -O1 ${_icongen_src} -o ${_icongen}
    DEPENDS ${_icongen_src} VERBATIM)
  set(_icongen_dep ${_icongen})
else()
  add_executable(icongen ${_icongen_src})
  set(_icongen $<TARGET_FILE:icongen>)
  set(_icongen_dep icongen)
endif()

add_custom_command(OUTPUT ${_icon_outputs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${CMAKE_BINARY_DIR}/res
  COMMAND ${_icongen} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${CMAKE_BINARY_DIR}/res
  DEPENDS ${_icongen_dep} VERBATIM)
add_custom_target(scrivlet_icons ALL DEPENDS ${_icon_outputs})

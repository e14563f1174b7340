# Programs that serve the project's scripts, not the user.
if(WIN32)
  add_executable(screenshot_scene ${CMAKE_CURRENT_LIST_DIR}/screenshots/scene.cpp ${SCRIVLET_PROGRAM_RESOURCES})
  target_link_libraries(screenshot_scene PRIVATE scrivlet_app scrivlet_warnings)
  add_dependencies(screenshot_scene scrivlet_icons)
endif()

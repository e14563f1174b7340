if(WIN32)
  target_sources(scrivlet_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CPopupMenu.cpp)
endif()

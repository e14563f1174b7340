target_sources(scrivlet_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/menu_text.cpp)
if(WIN32)
  target_sources(scrivlet_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CPopupMenu.cpp)
endif()

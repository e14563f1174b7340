# The e-mail composer: the URL builder free of handles, the window on Windows.
target_sources(scrivlet_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mailto.cpp)
if(WIN32)
  target_sources(scrivlet_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmSendEmail.cpp)
endif()

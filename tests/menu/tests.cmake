scrivlet_wine_test(menu_tests ${CMAKE_CURRENT_LIST_DIR}/CPopupMenuTest.cpp)

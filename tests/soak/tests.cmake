scrivlet_wine_test(soak_tests ${CMAKE_CURRENT_LIST_DIR}/SoakTest.cpp)

scrivlet_wine_test(platform_tests ${CMAKE_CURRENT_LIST_DIR}/PlatformTest.cpp)

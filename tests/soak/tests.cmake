# The soak's thousands of cycles take well over ten minutes under the x86 emulation:
# it runs with the x64 program only.
if(X)
  scrivlet_wine_program(soak_tests ${CMAKE_CURRENT_LIST_DIR}/SoakTest.cpp)
else()
  scrivlet_wine_test(soak_tests ${CMAKE_CURRENT_LIST_DIR}/SoakTest.cpp)
endif()

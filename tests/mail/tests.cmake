# The e-mail composer's tests join here.
# The stand-in mail program: registered for "mailto:" by the tests, it records the URL it is given.
add_executable(mail_capture WIN32 ${CMAKE_CURRENT_LIST_DIR}/mail_capture.cpp)
target_link_libraries(mail_capture PRIVATE scrivlet_warnings)
scrivlet_wine_test(mail_tests ${CMAKE_CURRENT_LIST_DIR}/SendEmailTest.cpp)
add_dependencies(mail_tests mail_capture)
scrivlet_utf8_rerun(mail_tests "SendEmailTest.*")

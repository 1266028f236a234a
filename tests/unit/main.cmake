# The main window's pieces that need no window.
add_executable(main_core_tests zoom_geometry_test.cpp)
target_link_libraries(main_core_tests PRIVATE vtl_main_core gtest_main)
add_test(NAME main_core_tests COMMAND main_core_tests)

# The tray icon's click guard needs no Win32; tested in both builds.
set(_shell_dir ${CMAKE_CURRENT_LIST_DIR})
add_executable(shell_unit_tests ${_shell_dir}/tray_click_guard_test.cpp
                                ${_shell_dir}/../../src/shell/TrayClickGuard.cpp)
target_include_directories(shell_unit_tests PRIVATE ${_shell_dir}/../../src)
target_link_libraries(shell_unit_tests PRIVATE gtest_main)
add_test(NAME shell_unit_tests COMMAND shell_unit_tests)

# The settings rules; included from this folder's CMakeLists.txt in both builds.
add_executable(settings_tests ${CMAKE_CURRENT_LIST_DIR}/settings_rules_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pick_key_test.cpp)
target_link_libraries(settings_tests PRIVATE vtl_settings_core gtest_main)
add_test(NAME settings_tests COMMAND settings_tests)

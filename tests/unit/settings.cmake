# The settings rules; included from this folder's CMakeLists.txt in both builds.
set(_settings_dir ${CMAKE_CURRENT_LIST_DIR})
add_executable(settings_tests ${_settings_dir}/settings_rules_test.cpp
                              ${_settings_dir}/pick_key_test.cpp)
target_link_libraries(settings_tests PRIVATE vtl_settings_core gtest_main)
add_test(NAME settings_tests COMMAND settings_tests)

# Fuzzes the text of the global shortcut.
vtl_fuzz_target(fuzz_pick_key
  ${_settings_dir}/fuzz_pick_key.cpp
  ${_settings_dir}/../../src/settings/PickKey.cpp
)

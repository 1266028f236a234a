# The saved-colour file's text; included from this folder's CMakeLists.txt in both builds.
set(_saved_dir ${CMAKE_CURRENT_LIST_DIR})
add_executable(saved_unit_tests ${_saved_dir}/saved_text_test.cpp)
target_link_libraries(saved_unit_tests PRIVATE vtl_saved_core gtest_main)
target_include_directories(saved_unit_tests PRIVATE ${_saved_dir}/../e2e) # support/files.hpp
add_test(NAME saved_unit_tests COMMAND saved_unit_tests)

# Fuzzes the colors.ini reader and writer.
vtl_fuzz_target(fuzz_saved_colors
  ${_saved_dir}/fuzz_saved_colors.cpp
  ${_saved_dir}/../../src/saved/ColorsText.cpp
  ${_saved_dir}/../../src/color/ColorValue.cpp
  ${_saved_dir}/../../src/color/Text.cpp
)

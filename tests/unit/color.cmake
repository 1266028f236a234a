# Colour model tests; included from this folder's CMakeLists.txt in both builds.
set(_color_dir ${CMAKE_CURRENT_LIST_DIR})
add_executable(color_tests
  ${_color_dir}/color_notation_test.cpp
  ${_color_dir}/color_text_test.cpp
  ${_color_dir}/color_hsl_test.cpp
  ${_color_dir}/color_fpu_test.cpp
  ${_color_dir}/color_sweep_test.cpp
)
if(WIN32)
  # <windows.h> and our header in both orders.
  target_sources(color_tests PRIVATE
    ${_color_dir}/color_windows_first_test.cpp
    ${_color_dir}/color_windows_last_test.cpp
  )
endif()
target_link_libraries(color_tests PRIVATE vtl_color gtest_main)
# The sweep compares against plain double arithmetic; on i686 that must not run on the x87
# unit (it would carry extended precision), so it uses SSE2 there as on x86-64.
set(_color_sweep_flags -ffp-contract=off)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND _color_sweep_flags -msse2 -mfpmath=sse)
endif()
set_source_files_properties(${_color_dir}/color_sweep_test.cpp PROPERTIES COMPILE_OPTIONS
  "${_color_sweep_flags}")
add_test(NAME color_tests COMMAND color_tests)

# Fuzzes the integer, Html and pickkey parses.
vtl_fuzz_target(fuzz_strtoint
  ${_color_dir}/fuzz_strtoint.cpp ${_color_dir}/../../src/settings/PickKey.cpp
  ${_color_dir}/../../src/color/ColorValue.cpp
  ${_color_dir}/../../src/color/Text.cpp
)

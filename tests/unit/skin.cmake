# Tests of the skinned frame's geometry, tiles and window-shape mask, with the program's own
# frame sheets (native build only: the artwork generator is portable code).
if(NOT VTL_WIN32)
  add_executable(skin_unit_tests ${CMAKE_CURRENT_LIST_DIR}/skin_test.cpp)
  target_link_libraries(skin_unit_tests PRIVATE vtl_skin_core vtl_artwork gtest_main)
  add_test(NAME skin_unit_tests COMMAND skin_unit_tests)
endif()

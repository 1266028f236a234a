# Tests of the artwork generator's files (native build only: the generator is portable code).
if(NOT VTL_WIN32)
  add_executable(artwork_tests ${CMAKE_CURRENT_LIST_DIR}/artwork_test.cpp)
  target_link_libraries(artwork_tests PRIVATE vtl_artwork vtl_skin_core gtest_main)
  add_test(NAME artwork_tests COMMAND artwork_tests)
endif()

# MD5 tests; included from this folder's CMakeLists.txt in both builds. The digest needs no
# Win32, so its one source is compiled in directly.
set(_md5_dir ${CMAKE_CURRENT_LIST_DIR})
add_executable(md5_tests ${_md5_dir}/md5_test.cpp ${_md5_dir}/../../src/brunmark/Md5.cpp)
target_include_directories(md5_tests PRIVATE ${_md5_dir}/../../src)
target_link_libraries(md5_tests PRIVATE gtest_main)
add_test(NAME md5_tests COMMAND md5_tests)

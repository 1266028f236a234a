# Saved-colours benchmark (not a test): start-up with 10,000 entries, "Save", memory.
add_executable(saved_bench saved_bench.cpp)
target_link_libraries(saved_bench PRIVATE vtl_main vtl_resources psapi)
set_target_properties(saved_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# Picking benchmark (not a test): full per-move sample against its floor.
add_executable(picking_bench picking_bench.cpp)
target_link_libraries(picking_bench PRIVATE vtl_main vtl_resources psapi)
set_target_properties(picking_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

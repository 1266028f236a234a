# Soak benchmark (not a test): long use of the main window, its dialogs and saves; resources.
add_executable(soak_bench soak_bench.cpp)
target_link_libraries(soak_bench PRIVATE vtl_main vtl_resources psapi)
set_target_properties(soak_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

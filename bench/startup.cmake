# Start-up benchmark (not a test): Vantrel.exe against a minimal one-window program.
add_executable(minimal_window WIN32 minimal_window.cpp)
add_executable(startup_bench startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE user32 kernel32)
set_target_properties(minimal_window startup_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                              ${CMAKE_BINARY_DIR}/bench)
add_dependencies(startup_bench minimal_window Vantrel)

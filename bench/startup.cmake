# Start-up benchmark (not a test): Vantrel.exe against a minimal one-window program.
add_executable(minimal_window WIN32 minimal_window.cpp)
# The main window's layout from plain system controls: what any program with this window pays.
add_executable(layout_window WIN32 layout_window.cpp layout_window.rc)
target_include_directories(layout_window PRIVATE ${PROJECT_SOURCE_DIR}/resources ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(layout_window PRIVATE comctl32 gdi32)
add_executable(startup_bench startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE user32 gdi32 kernel32)
set_target_properties(minimal_window layout_window startup_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                              ${CMAKE_BINARY_DIR}/bench)
add_dependencies(startup_bench minimal_window layout_window Vantrel)

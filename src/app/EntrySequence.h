// The entry sequence: single instance, application window, main window, message loop.
#pragma once

namespace vtl {

// Runs the program when no other instance runs, or once an ending one has ended; a second
// instance returns at once otherwise, showing nothing and creating no window. An error
// while the program is built or runs is shown by the application's error handler; the
// single-instance mutex is released on every path.
void RunEntrySequence();

} // namespace vtl

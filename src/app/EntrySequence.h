// The entry sequence: single instance, application window, main window, message loop.
#pragma once

namespace vtl {

// Runs the program when no other instance runs; a second instance creates no window: it asks
// the running one to come forward and returns. An error while the program is built or runs is
// shown by the application's error handler; the single-instance mutex is released on every path.
void RunEntrySequence();

} // namespace vtl

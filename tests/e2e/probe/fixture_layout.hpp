// Where vtlfixture.exe puts its window and controls, and the messages it understands. The
// harness tests check the probe, the screenshots and the input tools against these numbers.
#pragma once

namespace vtl::fixture {

inline constexpr const char* kWindowClass = "VtlFixtureWnd";
inline constexpr const char* kTitle = "VtlFixture";

// Top-level window rectangle in screen coordinates (no window manager: shown exactly here).
inline constexpr int kLeft = 100;
inline constexpr int kTop = 100;
inline constexpr int kWidth = 320;
inline constexpr int kHeight = 240;

// The window region leaves out a kNotch x kNotch square at the window's top-left corner.
inline constexpr int kNotch = 10;

// Controls, positions relative to the client area.
inline constexpr int kEditId = 100;
inline constexpr const char* kEditText = "hello";
inline constexpr int kEditX = 10, kEditY = 10, kEditW = 200, kEditH = 24;

inline constexpr int kRedId = 101;
inline constexpr const char* kRedClass = "VtlFixtureRed";
inline constexpr int kRedX = 20, kRedY = 60, kRedW = 120, kRedH = 60;

inline constexpr int kUpDownId = 102;
inline constexpr int kUpDownX = 220, kUpDownY = 10, kUpDownW = 20, kUpDownH = 24;
inline constexpr int kUpDownPos = 42;

// Messages: copy the edit's text to the clipboard (returns 1 on success).
inline constexpr unsigned kMsgCopyEditText = 0x8000 + 1; // WM_APP + 1

// Exit code after WM_CLOSE.
inline constexpr int kExitCode = 3;

// After a left-button drag that starts on the red area, the red area's window text becomes
// "up <x> <y> <moves>": screen position of the release and the number of captured moves.

} // namespace vtl::fixture

// Shared set-up for the Win32 tests: the application object exists, errors that reach the
// application-wide handler are recorded instead of shown, and messages can be pumped.
#pragma once

#include "ui/Application.h"
#include "ui/Handles.h"

#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace vtl::test {

// Messages the application-wide handler received since the last Clear.
std::vector<std::string>& ReportedErrors();

// Dispatches messages (idle handlers included) for the given time.
void PumpFor(unsigned ms);
// Dispatches what is pending, then runs the idle handlers once.
void PumpPending();

// The program's data folder in this (test) prefix: the user's application data + "\Vantrel".
std::string DataFolder();
// Removes a folder with everything in it.
void RemoveFolder(const std::string& folder);
// Removes the data folder with everything in it (or a file standing in its place).
void ResetDataFolder();
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool PathExists(const std::string& path);

// The clipboard's CF_TEXT, or "" when there is none.
std::string ClipboardText();

// Sends a click (press and release) at a client point of a window.
void ClickAt(HWND wnd, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP);

// Runs a function on a thread of its own, joined at Join or when this goes (the program's
// threads model has no std::thread).
class Thread {
  public:
    explicit Thread(std::function<void()> run)
        : run_(std::move(run)), handle_(CreateThread(nullptr, 0, &Start, this, 0, nullptr)) {}
    ~Thread() { Join(); }
    void Join() {
        if (handle_) WaitForSingleObject(handle_.Get(), INFINITE);
        handle_.Reset();
    }

  private:
    static DWORD WINAPI Start(void* self) { return static_cast<Thread*>(self)->run_(), 0; }
    std::function<void()> run_;
    KernelHandle handle_;
};

} // namespace vtl::test

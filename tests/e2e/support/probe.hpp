// Drives vtlprobe.exe (running under Wine, one process per Probe) to inspect and poke the
// windows of the program under test.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/error.hpp"
#include "support/geometry.hpp"
#include "support/line_reader.hpp"
#include "support/probe_reply.hpp"
#include "support/process.hpp"

namespace vtl::e2e {

// The probe ran the command and reported an error ("ERR ...").
class ProbeError : public Error {
  public:
    using Error::Error;
};

// What a screen reader reads: a window's client (child 0) or a simple child of it.
struct AccElement {
    Hwnd hwnd = 0;
    long child = 0, role = 0; // ROLE_SYSTEM_*
    Rect rect;                // screen coordinates
    std::string name, action; // action: the default action's name
};

class Probe {
  public:
    static constexpr std::chrono::milliseconds kCallTimeout{10000};
    static constexpr std::chrono::milliseconds kStartTimeout{60000};

    // Starts the probe and waits until it answers.
    Probe();
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // One raw command; returns the answer lines. Throws ProbeError on "ERR", Error when the probe
    // does not answer in time (the probe is unusable afterwards).
    std::vector<std::string> call(const std::string& command,
                                  std::chrono::milliseconds timeout = kCallTimeout);

    // "*" matches any class or title. Titles match exactly.
    Hwnd findWindow(const std::string& windowClass, const std::string& title = "*");
    // A matching top-level window that is visible and not empty; 0 when none shows up in time.
    Hwnd waitWindow(const std::string& windowClass, const std::string& title,
                    std::chrono::milliseconds timeout);
    // True once the window is destroyed; waitHidden: once it is hidden (or destroyed), as
    // Wine's menus and tray window go.
    bool waitGone(Hwnd hwnd, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool waitHidden(Hwnd hwnd, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    std::vector<WindowInfo> topLevelWindows(std::optional<unsigned> pid = std::nullopt);
    std::vector<WindowInfo> children(Hwnd parent); // all descendants
    WindowInfo child(Hwnd parent, int id);         // throws when there is none

    std::string text(Hwnd hwnd);    // WM_GETTEXT
    std::string accName(Hwnd hwnd); // what a screen reader names it
    // What a screen reader reads in the window and each window inside it, top to bottom; an
    // element's default action done.
    std::vector<AccElement> accTree(Hwnd hwnd);
    bool accDo(const AccElement& e);
    long long setText(Hwnd hwnd, const std::string& text);
    std::string className(Hwnd hwnd);
    Hwnd parent(Hwnd hwnd);
    Hwnd owner(Hwnd hwnd);
    Rect rect(Hwnd hwnd);       // screen coordinates
    Rect clientRect(Hwnd hwnd); // screen coordinates
    // Rectangles of the window region relative to the window's top-left; none without region.
    std::optional<std::vector<Rect>> region(Hwnd hwnd);
    long long send(Hwnd hwnd, unsigned message, long long wParam = 0, long long lParam = 0);
    void post(Hwnd hwnd, unsigned message, long long wParam = 0, long long lParam = 0);
    void showAsync(Hwnd hwnd, int command); // as another program's ShowWindowAsync
    std::uint32_t style(Hwnd hwnd);
    std::uint32_t exStyle(Hwnd hwnd);
    unsigned pid(Hwnd hwnd);
    Hwnd foreground();
    bool visible(Hwnd hwnd);
    bool enabled(Hwnd hwnd);
    bool exists(Hwnd hwnd);
    GuiThreadInfo guiInfo(Hwnd hwnd);
    int udmPos(Hwnd hwnd);
    Rgb pixel(int x, int y); // as Win32 GetPixel on the screen sees it
    Point cursor();
    // Removes another program's notification-area icon, as a shell that ends would.
    bool trayDelete(Hwnd hwnd, unsigned uid);
    // Posts a registered message (such as "TaskbarCreated") to all top-level windows.
    void broadcast(const std::string& messageName);

  private:
    static ChildProcess start();
    std::string single(const std::string& command,
                       std::chrono::milliseconds timeout = kCallTimeout);
    void writeCommand(const std::string& command);

    ChildProcess process_;
    LineReader reader_;
    bool broken_ = false;
};

} // namespace vtl::e2e

// The real Vantrel.exe under Wine, started on a fresh data folder, with its main window and
// controls found by their names in the window layout.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "layouts/MainLayout.h"
#include "support/geometry.hpp"
#include "support/probe.hpp"
#include "support/wine_app.hpp"

namespace vtl::e2e {

// A 96-dpi length at a DPI, rounded as MulDiv rounds.
inline int Scaled(int v, int dpi) {
    return (v * dpi + 48) / 96;
}

class VantrelSession {
  public:
    // Removes the data folder first unless keepData, then starts the program and waits for its
    // main window; a box with the caption boxAtStart is answered OK on the way.
    explicit VantrelSession(bool keepData = false, const char* boxAtStart = nullptr);
    ~VantrelSession();

    // The program's data folder in the test prefix (Linux path).
    static std::filesystem::path dataFolder();

    Probe& probe() { return probe_; }
    WineApp& app() { return *app_; }
    Hwnd window() const { return window_; }
    Rect windowRect() { return probe_.rect(window_); }

    // A windowed control of the layout by name.
    Hwnd control(const char* name);
    std::string text(const char* name) { return probe_.text(control(name)); }
    // Screen rectangle of any layout row (graphic controls included), from the layout as the
    // program places it at a DPI: each row scaled by its edges within its parent.
    Rect layoutRect(const char* name, int dpi = 96);
    // Presses the left button on a "+" icon and moves in steps to `target`; true once the status
    // shows the target. Points are Windows' (the X screen's lie `xOrigin` further, when a
    // monitor lies left of the primary one). The button stays down.
    bool dragFrom(const char* icon, Point target, int dpi = 96, Point xOrigin = {});
    // True once the magnifier at zoom 1 shows the screen around `pointer` pixel for pixel (every
    // few pixels compared): `screen` gives a point's colour, or nothing where it is not known.
    bool magnifierShows(Point pointer, const std::function<std::optional<Rgb>(Point)>& screen,
                        int dpi = 96, Point xOrigin = {});
    // A desktop gives the keys to the active window; with no window manager they go to the X
    // window under the pointer, so they are pinned to one of the program's X windows. Wine hands
    // them on to the active window.
    void pinKeys();
    // A point on entry `index` of the saved list, scrolled to its top.
    Point savedItem(int index);
    // "Save" from the Html Copy button's menu with the real mouse; `atClick` runs with the
    // pointer on the item, just before the click. True once the menu has closed.
    bool save(const std::function<void()>& atClick = {});
    // Asks the program to close as the frame's Close does; returns the exit code.
    std::optional<int> close(std::chrono::milliseconds timeout = std::chrono::seconds(10));

  private:
    std::optional<WineApp> app_;
    Probe probe_;
    Hwnd window_ = 0;
};

} // namespace vtl::e2e

// Turns the probe's answer lines into values (see probe/probe_commands.cpp for the formats).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/geometry.hpp"

namespace vtl::e2e {

using Hwnd = std::uint32_t;

struct WindowInfo {
    Hwnd hwnd = 0;
    int id = 0;       // control id (children)
    unsigned pid = 0; // Windows process id (top-level windows)
    std::string className;
    Rect rect; // screen coordinates
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    bool visible = false;
    std::string text;
};

struct GuiThreadInfo {
    Hwnd active = 0;
    Hwnd focus = 0;
    Hwnd capture = 0;
    Hwnd menuOwner = 0;
};

enum class WindowLineKind { Child, TopLevel };

std::string formatHwnd(Hwnd hwnd);
Hwnd parseHwnd(std::string_view text);
std::int64_t parseNumber(std::string_view text); // decimal, or hexadecimal after 0x
Rect parseRect(std::string_view text);
Point parsePoint(std::string_view text);
WindowInfo parseWindowLine(std::string_view line, WindowLineKind kind);

} // namespace vtl::e2e

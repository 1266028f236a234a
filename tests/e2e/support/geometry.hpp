// Small value types shared by the probe, screenshots and input helpers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

namespace vtl::e2e {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Screen rectangle, right and bottom exclusive (as Win32 RECT).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Point center() const { return {left + width() / 2, top + height() / 2}; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Rect&) const = default;
};

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    // From a Win32 COLORREF (0x00BBGGRR).
    static Rgb fromColorRef(std::uint32_t c) {
        return {static_cast<std::uint8_t>(c & 0xff), static_cast<std::uint8_t>((c >> 8) & 0xff),
                static_cast<std::uint8_t>((c >> 16) & 0xff)};
    }
    std::uint32_t colorRef() const {
        return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
               (static_cast<std::uint32_t>(b) << 16);
    }
    std::string hex() const { // as the program's Html notation writes it, e.g. "#12AB34"
        char buf[8];
        std::snprintf(buf, sizeof buf, "#%02X%02X%02X", r, g, b);
        return buf;
    }
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Point& p) {
    return os << "(" << p.x << "," << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "[" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << c.hex();
}

} // namespace vtl::e2e

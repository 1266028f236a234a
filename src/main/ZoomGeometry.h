// Which part of the grab buffer the magnifier enlarges at a zoom factor.
#pragma once

namespace vtl {

struct ZoomSource {
    int left, top, width, height;
};

// For a magnifier of width x height at zoom z (1..20): the centred rectangle of the buffer,
// with every division rounding toward zero, stretched over the whole magnifier. The
// enlargement is only about z and differs between the directions (zoom 18 and 19 agree).
// A zoom below 1 is drawn as 1.
ZoomSource ZoomSourceRect(int width, int height, int zoom);

// The buffer grabs width x height screen pixels with the pointer's pixel at
// (width / 2, height / 2): the grab's top-left corner for a pointer at (x, y).
struct GrabOrigin {
    int left, top;
};
GrabOrigin GrabOriginFor(int x, int y, int width, int height);

} // namespace vtl

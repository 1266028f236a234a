// The eyedropper motif shared by the program icon and the title icon.
#pragma once

#include "raster.h"

namespace vtl::art {

struct EyedropperStyle {
    Vec tip;                  // point of the nozzle, in pixels
    double angle = 45;        // degrees, counter-clockwise from pointing right; 45 leans up-right
    double scale = 1;         // pixels per design unit (the design is 22 units long)
    double outline = 1;       // outline width in pixels
    double rim = 0.6;         // glass wall left clear around the liquid, in pixels
    double liquidLevel = 9.5; // design units from the tip that the liquid fills
    Paint outlineColor;       // drawn behind every part
    Paint glass;              // barrel and nozzle
    Paint liquid;             // what the dropper has picked up
    Paint collar;
    Paint bulb;
    Paint shine; // light streak on barrel and bulb
};

// The dropper's paint at point p, transparent away from it.
Paint eyedropper(Vec p, const EyedropperStyle& s);

} // namespace vtl::art

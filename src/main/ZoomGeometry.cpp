#include "main/ZoomGeometry.h"

namespace vtl {

ZoomSource ZoomSourceRect(int width, int height, int zoom) {
    const int z = zoom < 1 ? 1 : zoom;
    return {width / 2 - (width / 2) / z, height / 2 - (height / 2) / z, width / z, height / z};
}

GrabOrigin GrabOriginFor(int x, int y, int width, int height) {
    return {x - width / 2, y - height / 2};
}

} // namespace vtl

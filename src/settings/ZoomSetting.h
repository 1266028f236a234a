// The zoom factors the magnifier can draw with.
#pragma once

namespace vtl {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 20;

} // namespace vtl

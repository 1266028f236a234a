// The picture the magnifier shows before the first pick.
#pragma once

#include "image.h"

namespace vtl::art {

inline constexpr int kPlaceholderWidth = 231;
inline constexpr int kPlaceholderHeight = 96;

// At 96 dpi 231 x 96, scaled at other DPIs.
Image magnifierPlaceholder(int dpi = 96);

} // namespace vtl::art

// The picture the magnifier shows before the first pick.
#pragma once

#include "image.h"

namespace vtl::art {

inline constexpr int kPlaceholderWidth = 231;
inline constexpr int kPlaceholderHeight = 96;

Image magnifierPlaceholder();

} // namespace vtl::art

#pragma once
// Icon files in the standard Windows icon layout: 24-bit images, opaque.
#include <cstdint>
#include <vector>

#include "canvas.h"

namespace mivello::pictures {

std::vector<std::uint8_t> WriteIcon(const std::vector<Canvas>& images);

}  // namespace mivello::pictures

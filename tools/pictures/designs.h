#pragma once
// The three pictures of the window, drawn in code.
#include <cstdint>
#include <vector>

#include "glyphs.h"

namespace mivello::pictures {

// The window's icon: a bold yellow 折 on black at 16, 32, 48 and 64 pixels.
std::vector<std::uint8_t> MakeIcon(const Font& bold);

// Image1: the Wangwang badge "和我联系", 77 × 19, seven frames.
std::vector<std::uint8_t> MakeWangwangBadge(const Font& pixel);

// Image2: the QQ badge "QQ在线", 74 × 23, one frame.
std::vector<std::uint8_t> MakeQqBadge(const Font& pixel);

}  // namespace mivello::pictures

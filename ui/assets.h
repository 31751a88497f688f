#pragma once
// The picture files of ui/assets, built into the program.
#include <cstdint>
#include <span>

namespace mivello::assets {

std::span<const std::uint8_t> WindowIcon();     // mivello.ico
std::span<const std::uint8_t> WangwangBadge();  // wangwang.gif
std::span<const std::uint8_t> QqBadge();        // qq.gif

}  // namespace mivello::assets

#pragma once
// Picture and icon files decoded by Qt's image readers.
#include <QIcon>
#include <QImage>
#include <cstdint>
#include <vector>

namespace mivello::qt {

// The first frame of a GIF, transparency kept; a null image when undecodable.
QImage FirstFrame(const std::vector<std::uint8_t>& gif);

// Every image of an icon file, for the window system to pick a size from.
QIcon IconFromFile(const std::vector<std::uint8_t>& ico);

}  // namespace mivello::qt

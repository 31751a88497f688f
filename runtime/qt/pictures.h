#pragma once
// The form's pictures as Qt images, decoded by the runtime's own readers
// (runtime/pictures: giflib and the icon file's bitmaps); Qt's image readers,
// whose plugins are searched for and loaded, only for what those leave out.
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

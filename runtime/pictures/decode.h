#pragma once
// The form's pictures decoded to pixels without a window system: the first
// frame of a GIF (through giflib) and the images of an icon file. Any bytes
// give pictures or nothing, never a read outside them.
#include <cstdint>
#include <span>
#include <vector>

namespace mivello::pictures {

struct Bitmap {
  int width = 0;
  int height = 0;
  // Rows from the top, each pixel 0xAARRGGBB; alpha is 0 or 255, and a
  // transparent pixel is 0 altogether (valid premultiplied as it is).
  std::vector<std::uint32_t> pixels;
  bool empty() const { return pixels.empty(); }
};

// The first frame of a GIF on its logical screen, transparency kept; empty
// when the bytes are no GIF that giflib reads.
Bitmap FirstGifFrame(std::span<const std::uint8_t> gif);

// Every image of an icon file stored as an uncompressed 24- or 32-bit
// bitmap, in file order; entries of other kinds (PNG, palettes) are left out.
std::vector<Bitmap> IconImages(std::span<const std::uint8_t> ico);

}  // namespace mivello::pictures

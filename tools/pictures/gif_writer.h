#pragma once
// GIF files written with giflib from drawn frames.
#include <cstdint>
#include <vector>

#include "canvas.h"

namespace mivello::pictures {

struct GifFrame {
  Canvas canvas;
  int delayCentiseconds = 0;
};

struct GifOptions {
  int paletteSize = 128;      // a power of two
  int transparentIndex = -1;  // -1: no transparency
  bool loopForever = false;
};

// One global palette for all frames, colours in the order they are first
// met; the transparent index holds white and is used only for clear pixels.
std::vector<std::uint8_t> WriteGif(const std::vector<GifFrame>& frames, const GifOptions& options);

}  // namespace mivello::pictures

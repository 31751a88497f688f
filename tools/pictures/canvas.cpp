#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace mivello::pictures {

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [t](std::uint8_t x, std::uint8_t y) {
    return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
  };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Canvas::Canvas(int width, int height, Rgb fill, bool clear)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width * height), fill),
      clear_(static_cast<std::size_t>(width * height), clear ? 1 : 0) {}

void Canvas::Set(int x, int y, Rgb colour) {
  if (!Inside(x, y)) return;
  pixels_[Index(x, y)] = colour;
  clear_[Index(x, y)] = 0;
}

void Canvas::Clear(int x, int y) {
  if (Inside(x, y)) clear_[Index(x, y)] = 1;
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb colour) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) Set(i, j, colour);
  }
}

Mask Dilate(const Mask& mask) {
  Mask out{mask.width + 2, mask.height + 2, {}};
  out.alpha.assign(static_cast<std::size_t>(out.width * out.height), 0);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      std::uint8_t v = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) v = std::max(v, mask.At(x - 1 + dx, y - 1 + dy));
      }
      out.alpha[static_cast<std::size_t>(y * out.width + x)] = v;
    }
  }
  return out;
}

}  // namespace mivello::pictures

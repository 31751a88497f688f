#pragma once
// Twips and pixels: the one conversion every backend uses, at its own dots
// per inch, for painting, placing native controls and hit tests alike.
#include <cstdint>

#include "runtime/form_model.h"

namespace mivello {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;  // 15 twips to the pixel

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool Contains(int x, int y) const { return x >= left && y >= top && x < left + width && y < top + height; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct TwipsPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// An edge at `twips`, in pixels, rounded to the nearest (halves up, as
// Windows' MulDiv rounds them on this side of zero).
int PixelEdge(std::int32_t twips, int dpi);

// A rectangle's pixels: its four edges, each converted.
PixelRect ToPixels(const TwipsRect& r, int dpi = kDefaultDpi);

// The twip that stands for a pixel in hit tests. Pixel x lies within the
// pixels of [left, left + width) exactly when TwipOfPixel(x) lies within
// those twips: what a rectangle paints is what clicks it, at every DPI.
std::int32_t TwipOfPixel(int pixel, int dpi);
inline TwipsPoint TwipsAt(int x, int y, int dpi) { return {TwipOfPixel(x, dpi), TwipOfPixel(y, dpi)}; }

inline bool Contains(const TwipsRect& r, TwipsPoint p) {
  return p.x >= r.left && p.y >= r.top && p.x < r.left + r.width && p.y < r.top + r.height;
}

}  // namespace mivello

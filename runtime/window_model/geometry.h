#pragma once
// Twips and pixels: the one conversion every backend uses, for painting,
// placing native controls and hit tests alike.
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

// How a screen shows the form: laid out in pixels at `dpi`, where the twips
// are rounded, then each of those pixels drawn as ratioNum / ratioDen device
// pixels (a desktop's scale factor; Windows scales through the DPI alone).
struct Density {
  int dpi = kDefaultDpi;
  int ratioNum = 1;
  int ratioDen = 1;

  static constexpr Density AtDpi(int dpi) { return {dpi, 1, 1}; }
  // A device pixel ratio such as 1.25, to the nearest 1/960 (which holds
  // every step of 1/96 and of 1/120 that desktops offer).
  static Density Scaled(double ratio);
  friend bool operator==(const Density&, const Density&) = default;
};

// An edge at `twips`, in pixels, rounded to the nearest (halves up, as
// Windows' MulDiv rounds them on this side of zero).
int PixelEdge(std::int32_t twips, int dpi);

// A rectangle's pixels at `dpi`: its four edges, each converted.
PixelRect ToPixels(const TwipsRect& r, int dpi = kDefaultDpi);

// A rectangle's device pixels: its pixels at the density's DPI, each edge
// then scaled by the ratio and rounded (halves up). What a backend paints
// there is what a device pixel inside reaches: painting and hit tests both
// go through here.
PixelRect DeviceRect(const TwipsRect& r, const Density& density);

}  // namespace mivello

#pragma once
// A small RGB canvas with a "clear" marker, for drawing the pictures.
#include <cstdint>
#include <vector>

namespace mivello::pictures {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb Hex(std::uint32_t rgb) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
          static_cast<std::uint8_t>(rgb)};
}

// The colour a fraction `t` (0..1) of the way from `a` to `b`.
Rgb Mix(Rgb a, Rgb b, double t);

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill, bool clear = false);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  void Set(int x, int y, Rgb colour);  // ignores points outside
  void Clear(int x, int y);            // makes a pixel transparent
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  bool IsClear(int x, int y) const { return clear_[Index(x, y)] != 0; }
  void FillRect(int x, int y, int w, int h, Rgb colour);

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
  std::vector<std::uint8_t> clear_;
};

// A coverage mask (0..255 per pixel), e.g. a rendered text.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> alpha;
  std::uint8_t At(int x, int y) const {
    return (x < 0 || y < 0 || x >= width || y >= height) ? 0 : alpha[static_cast<std::size_t>(y * width + x)];
  }
};

// The mask grown by one pixel in all eight directions.
Mask Dilate(const Mask& mask);

}  // namespace mivello::pictures

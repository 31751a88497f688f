#include <cmath>

#include "designs.h"
#include "gif_writer.h"

namespace mivello::pictures {
namespace {

constexpr int kWidth = 77;
constexpr int kHeight = 19;

// Badge body: rows 1 to 18, rounded corners, orange frame, light fill.
void DrawBadge(Canvas& c) {
  for (int y = 2; y <= 16; ++y) {
    const double t = (y - 2) / 14.0;
    const Rgb fill =
        t < 0.5 ? Mix(Hex(0xFFFEF4), Hex(0xFFF7C0), t * 2) : Mix(Hex(0xFFF087), Hex(0xFEEC4B), (t - 0.5) * 2);
    c.FillRect(1, y, kWidth - 2, 1, fill);
    const Rgb side = y <= 9 ? Hex(0xFC9F4C) : Hex(0xFF9739);
    c.Set(y == 2 ? 1 : 0, y, side);
    c.Set(y == 2 ? kWidth - 2 : kWidth - 1, y, side);
  }
  c.FillRect(2, 1, kWidth - 4, 1, Hex(0xFFC795));   // top
  c.FillRect(1, 17, kWidth - 2, 1, Hex(0xFFD1A7));  // bottom, inner row
  c.FillRect(2, 18, kWidth - 4, 1, Hex(0xFF9739));  // bottom, outer row
}

// The round blue mascot with its tuft, `lift` pixels above its rest.
void DrawMascot(Canvas& c, int lift) {
  const double cx = 9.5, cy = 10.5 - lift, r = 6.6;
  const Rgb rimTop = Hex(0x4586D4), rimBottom = Hex(0x52ACE8);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < 20; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d > r) continue;
      const double down = (y + 0.5 - (cy - r)) / (2 * r);
      if (d > r - 1.3) {
        c.Set(x, y, down < 0.5 ? rimTop : rimBottom);
      } else {
        // Lighter towards the lower middle, in a few even steps.
        const double glow = std::hypot(x + 0.5 - cx, y + 0.5 - (cy + 2.5)) / r;
        c.Set(x, y, Mix(Hex(0xC8F3FF), Hex(0x7EDDFF), std::round(glow * 4) / 4));
      }
    }
  }
  const int top = static_cast<int>(cy - r + 0.5);
  // The pointed tuft, leaning a little to the right.
  c.FillRect(8, top - 1, 3, 1, rimTop);
  c.FillRect(9, top - 2, 2, 1, rimTop);
  c.Set(10, top - 3, rimTop);
  c.Set(11, top - 4, rimTop);
  // Gloss and the two eyes looking right, towards the text.
  const int eyeY = static_cast<int>(cy) - 2;
  c.FillRect(5, eyeY - 1, 2, 1, Hex(0xFFFFFF));
  c.Set(5, eyeY, Hex(0xFFFFFF));
  c.FillRect(11, eyeY, 1, 2, Hex(0x000000));
  c.FillRect(14, eyeY, 1, 2, Hex(0x000000));
}

// Text in a colour with a one-pixel white outline; `x`, `y` is the outline's corner.
void DrawOutlinedText(Canvas& c, const Mask& text, int x, int y, Rgb colour) {
  const Mask outline = Dilate(text);
  for (int j = 0; j < outline.height; ++j) {
    for (int i = 0; i < outline.width; ++i) {
      if (text.At(i - 1, j - 1) != 0)
        c.Set(x + i, y + j, colour);
      else if (outline.At(i, j) != 0)
        c.Set(x + i, y + j, Hex(0xFFFFFF));
    }
  }
}

}  // namespace

std::vector<std::uint8_t> MakeWangwangBadge(const Font& pixel) {
  const Mask text = pixel.BoldPixelText(U"和我联系", 12);
  const int textLeft = 19 + (kWidth - 20 - (text.width + 2)) / 2;
  const int textTop = (kHeight + 1 - (text.height + 2)) / 2;

  std::vector<GifFrame> frames;
  const int delays[] = {100, 50, 10, 10, 10, 10, 100};
  for (int frame = 0; frame < 7; ++frame) {
    Canvas c(kWidth, kHeight, Hex(0xFFFFFF), /*clear=*/true);
    DrawBadge(c);
    DrawMascot(c, frame == 3 || frame == 5 ? 2 : 0);  // the fourth and sixth frames hop
    DrawOutlinedText(c, text, textLeft, textTop, Hex(0xD22C00));
    // The rounded corners stay clear whatever was drawn.
    for (int x : {0, 1, kWidth - 2, kWidth - 1}) c.Clear(x, 1), c.Clear(x, 18);
    for (int x : {0, kWidth - 1}) c.Clear(x, 2), c.Clear(x, 17);
    frames.push_back({c, delays[frame]});
  }
  return WriteGif(frames, {.paletteSize = 128, .transparentIndex = 65, .loopForever = true});
}

}  // namespace mivello::pictures

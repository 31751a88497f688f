#include <cmath>

#include "designs.h"
#include "gif_writer.h"

namespace mivello::pictures {
namespace {

constexpr int kWidth = 74;
constexpr int kHeight = 23;

void FillEllipse(Canvas& c, double cx, double cy, double rx, double ry, Rgb colour) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) c.Set(x, y, colour);
    }
  }
}

// The black-and-white penguin with its red scarf, on the yellow tile.
void DrawPenguin(Canvas& c) {
  constexpr Rgb kBlack = Hex(0x000000), kWhite = Hex(0xFFFFFF), kOrange = Hex(0xFF9900);
  constexpr Rgb kRed = Hex(0xE60012);
  FillEllipse(c, 11.5, 14.5, 5.6, 5.6, kBlack);  // body
  FillEllipse(c, 11.5, 15.5, 3.7, 4.2, kWhite);  // belly
  FillEllipse(c, 11.5, 7.0, 4.4, 4.3, kBlack);   // head
  c.FillRect(9, 5, 2, 3, kWhite);                // eyes
  c.FillRect(12, 5, 2, 3, kWhite);
  c.Set(10, 6, kBlack);
  c.Set(13, 6, kBlack);
  c.FillRect(10, 8, 3, 1, kOrange);  // beak
  c.FillRect(7, 10, 9, 2, kRed);     // scarf
  c.FillRect(14, 12, 2, 2, kRed);
  c.FillRect(6, 19, 4, 2, kOrange);  // feet
  c.FillRect(13, 19, 4, 2, kOrange);
}

}  // namespace

std::vector<std::uint8_t> MakeQqBadge(const Font& pixel) {
  Canvas c(kWidth, kHeight, Hex(0x3366CC));                  // the border shows where nothing else is drawn
  c.FillRect(1, 1, kWidth - 2, kHeight - 2, Hex(0xFFCC00));  // yellow inner line
  c.FillRect(1, kHeight - 2, kWidth - 2, 1, Hex(0xFF9900));  // orange at the bottom
  for (int x : {0, kWidth - 1}) c.Set(x, 0, Hex(0xFFFFFF)), c.Set(x, kHeight - 1, Hex(0xFFFFFF));

  // Tile x 2..20 (yellow, as the inner line), text field x 21..71.
  constexpr int kFieldLeft = 21, kFieldRight = kWidth - 3, kTop = 2, kBottom = kHeight - 3;
  const int middle = (kTop + kBottom) / 2;
  for (int y = kTop; y <= kBottom; ++y) {
    const Rgb fill =
        y <= middle ? Mix(Hex(0xFFFFFF), Hex(0xF1F1F1), (y - kTop) / double(middle - kTop)) : Hex(0xCCECFF);
    c.FillRect(kFieldLeft, y, kFieldRight - kFieldLeft + 1, 1, fill);
  }
  DrawPenguin(c);

  // "QQ在线": blue from #3366FF at the top to #333399 at the bottom, white outline.
  const Mask text = pixel.BoldPixelText(U"QQ在线", 12);
  const Mask outline = Dilate(text);
  const int left = kFieldLeft + (kFieldRight - kFieldLeft + 1 - outline.width) / 2;
  const int top = kTop + (kBottom - kTop + 1 - outline.height) / 2;
  for (int j = 0; j < outline.height; ++j) {
    const Rgb blue = Mix(Hex(0x3366FF), Hex(0x333399), (j - 1) / double(text.height - 1));
    for (int i = 0; i < outline.width; ++i) {
      if (text.At(i - 1, j - 1) != 0)
        c.Set(left + i, top + j, blue);
      else if (outline.At(i, j) != 0)
        c.Set(left + i, top + j, Hex(0xFFFFFF));
    }
  }
  return WriteGif({{c, 0}}, {.paletteSize = 128, .transparentIndex = -1, .loopForever = false});
}

}  // namespace mivello::pictures

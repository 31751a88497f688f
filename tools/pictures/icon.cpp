#include "designs.h"
#include "ico_writer.h"

namespace mivello::pictures {

std::vector<std::uint8_t> MakeIcon(const Font& bold) {
  constexpr Rgb kYellow = Hex(0xF5F620);
  std::vector<Canvas> images;
  for (int size : {16, 32, 48, 64}) {
    const Mask glyph = bold.FilledGlyph(U'折', size, size / 24);
    Canvas c(size, size, Hex(0x000000));
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) c.Set(x, y, Mix(Hex(0x000000), kYellow, glyph.At(x, y) / 255.0));
    }
    images.push_back(c);
  }
  return WriteIcon(images);
}

}  // namespace mivello::pictures

#include "runtime/pictures/decode.h"

namespace mivello::pictures {
namespace {

// Little-endian fields read within the bytes; out of range reads as 0.
struct Reader {
  std::span<const std::uint8_t> bytes;
  std::uint32_t U16(std::size_t at) const {
    return at + 2 <= bytes.size() ? static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8) : 0;
  }
  std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
};

// One uncompressed bitmap of 24 or 32 bits: bottom-up rows of BGR(A), then
// the AND mask (a set bit is transparent).
Bitmap Dib(std::span<const std::uint8_t> dib) {
  const Reader in{dib};
  const std::uint32_t header = in.U32(0);
  const auto width = static_cast<std::int32_t>(in.U32(4));
  const auto bothHeights = static_cast<std::int32_t>(in.U32(8));
  const std::uint32_t bits = in.U16(14);
  if (header < 40 || header > dib.size() || in.U32(16) != 0 || (bits != 24 && bits != 32)) return {};
  const std::int32_t height = bothHeights / 2;
  if (width <= 0 || height <= 0 || width > 1024 || height > 1024) return {};
  const std::size_t colourRow = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
  const std::size_t maskRow = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  const std::size_t colours = header, mask = colours + colourRow * static_cast<std::size_t>(height);
  const bool hasMask = bits == 24 && mask + maskRow * static_cast<std::size_t>(height) <= dib.size();
  if (mask > dib.size()) return {};

  Bitmap bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  for (std::int32_t y = 0; y < height; ++y) {
    const std::size_t row = static_cast<std::size_t>(height - 1 - y);  // bottom-up
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint8_t* p = dib.data() + colours + row * colourRow + static_cast<std::size_t>(x) * bits / 8;
      const bool clear =
          bits == 32 ? p[3] == 0
          : hasMask  ? (dib[mask + row * maskRow + static_cast<std::size_t>(x) / 8] >> (7 - x % 8) & 1) != 0
                     : false;
      bitmap.pixels[static_cast<std::size_t>(y) * width + x] =
          clear ? 0
                : 0xFF000000u | static_cast<std::uint32_t>(p[2]) << 16 |
                      static_cast<std::uint32_t>(p[1]) << 8 | p[0];
    }
  }
  return bitmap;
}

}  // namespace

std::vector<Bitmap> IconImages(std::span<const std::uint8_t> ico) {
  const Reader in{ico};
  std::vector<Bitmap> images;
  if (in.U16(0) != 0 || in.U16(2) != 1) return images;
  const std::uint32_t count = in.U16(4);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const std::uint32_t size = in.U32(entry + 8), offset = in.U32(entry + 12);
    if (entry + 16 > ico.size() || offset > ico.size() || size > ico.size() - offset) break;
    Bitmap image = Dib(ico.subspan(offset, size));
    if (!image.empty()) images.push_back(std::move(image));
  }
  return images;
}

}  // namespace mivello::pictures

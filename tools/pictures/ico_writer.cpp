#include "ico_writer.h"

namespace mivello::pictures {
namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A device-independent bitmap: header, bottom-up BGR rows, then the
// all-zero AND mask (every pixel opaque). Rows are padded to 4 bytes.
std::vector<std::uint8_t> Dib(const Canvas& c) {
  const int w = c.Width(), h = c.Height();
  const int colourRow = (w * 3 + 3) / 4 * 4;
  const int maskRow = ((w + 31) / 32) * 4;
  std::vector<std::uint8_t> out;
  Put32(out, 40);  // header size
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(2 * h));  // colour and mask together
  Put16(out, 1);                                  // planes
  Put16(out, 24);                                 // bits per pixel
  Put32(out, 0);                                  // no compression
  Put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * h));
  for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution, palette
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Rgb p = c.At(x, y);
      out.insert(out.end(), {p.b, p.g, p.r});
    }
    out.resize(out.size() + static_cast<std::size_t>(colourRow - w * 3), 0);
  }
  out.resize(out.size() + static_cast<std::size_t>(maskRow * h), 0);
  return out;
}

}  // namespace

std::vector<std::uint8_t> WriteIcon(const std::vector<Canvas>& images) {
  std::vector<std::vector<std::uint8_t>> dibs;
  for (const Canvas& c : images) dibs.push_back(Dib(c));

  std::vector<std::uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(images[i].Width()));
    out.push_back(static_cast<std::uint8_t>(images[i].Height()));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 24);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(dibs[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(dibs[i].size());
  }
  for (const auto& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

}  // namespace mivello::pictures

#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

namespace mivello::pictures {

struct Font::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

Font::Font(const std::string& file, const std::string& family) : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->library) != 0) throw std::runtime_error("FreeType did not start");
  FT_Long faces = 1;
  for (FT_Long i = 0; i < faces; ++i) {
    FT_Face face = nullptr;
    if (FT_New_Face(impl_->library, file.c_str(), i, &face) != 0) break;
    faces = face->num_faces;
    if (face->family_name != nullptr && family == face->family_name) {
      impl_->face = face;
      return;
    }
    FT_Done_Face(face);
  }
  FT_Done_FreeType(impl_->library);
  throw std::runtime_error("font family '" + family + "' not found in " + file);
}

Font::~Font() {
  FT_Done_Face(impl_->face);
  FT_Done_FreeType(impl_->library);
}

namespace {

// Crops a mask to the rectangle that holds ink.
Mask Crop(const Mask& m) {
  int left = m.width, top = m.height, right = -1, bottom = -1;
  for (int y = 0; y < m.height; ++y) {
    for (int x = 0; x < m.width; ++x) {
      if (m.At(x, y) == 0) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  Mask out{right - left + 1, bottom - top + 1, {}};
  out.alpha.resize(static_cast<std::size_t>(out.width * out.height));
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x)
      out.alpha[static_cast<std::size_t>(y * out.width + x)] = m.At(x + left, y + top);
  }
  return out;
}

std::uint8_t BitmapAt(const FT_Bitmap& b, int x, int y) {
  const unsigned char* row = b.buffer + y * b.pitch;
  if (b.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
  return row[x];
}

}  // namespace

Mask Font::BoldPixelText(const std::u32string& text, int pixels) const {
  FT_Face face = impl_->face;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
  const int baseline = static_cast<int>(face->size->metrics.ascender >> 6);
  Mask line{pixels * static_cast<int>(text.size()) * 2 + 4, pixels * 2, {}};
  line.alpha.assign(static_cast<std::size_t>(line.width * line.height), 0);
  int pen = 1;
  for (char32_t c : text) {
    if (FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
      throw std::runtime_error("glyph missing from the font");
    }
    const FT_GlyphSlot g = face->glyph;
    for (int y = 0; y < static_cast<int>(g->bitmap.rows); ++y) {
      for (int x = 0; x < static_cast<int>(g->bitmap.width); ++x) {
        if (BitmapAt(g->bitmap, x, y) < 128) continue;
        const int px = pen + g->bitmap_left + x;
        const int py = baseline - g->bitmap_top + y;
        for (int bold = 0; bold < 2; ++bold) {
          if (px + bold >= 0 && px + bold < line.width && py >= 0 && py < line.height) {
            line.alpha[static_cast<std::size_t>(py * line.width + px + bold)] = 255;
          }
        }
      }
    }
    pen += static_cast<int>(g->advance.x >> 6) + 1;
  }
  return Crop(line);
}

Mask Font::FilledGlyph(char32_t glyph, int size, int margin) const {
  FT_Face face = impl_->face;
  const int box = size - 2 * margin;
  // The largest pixel size whose hinted rendering still fits the box.
  for (int pixels = size * 2; pixels > 0; --pixels) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
    if (FT_Load_Char(face, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
      throw std::runtime_error("glyph missing from the font");
    }
    const FT_Bitmap& b = face->glyph->bitmap;
    if (static_cast<int>(b.width) > box || static_cast<int>(b.rows) > box) continue;
    Mask m{size, size, {}};
    m.alpha.assign(static_cast<std::size_t>(size * size), 0);
    const int left = (size - static_cast<int>(b.width)) / 2;
    const int top = (size - static_cast<int>(b.rows)) / 2;
    for (int y = 0; y < static_cast<int>(b.rows); ++y) {
      for (int x = 0; x < static_cast<int>(b.width); ++x) {
        m.alpha[static_cast<std::size_t>((top + y) * size + left + x)] = BitmapAt(b, x, y);
      }
    }
    return m;
  }
  return {};  // no size fits: an empty mask
}

}  // namespace mivello::pictures

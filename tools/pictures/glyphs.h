#pragma once
// Text and glyph masks rendered with FreeType from installed fonts.
#include <memory>
#include <string>

#include "canvas.h"

namespace mivello::pictures {

class Font {
 public:
  // Opens the face of `file` whose family is `family`; throws when missing.
  Font(const std::string& file, const std::string& family);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // A crisp 1-bit rendering at `pixels` (an embedded bitmap where the font
  // has one), made bold by widening each stroke one pixel to the right.
  Mask BoldPixelText(const std::u32string& text, int pixels) const;

  // One glyph, anti-aliased and hinted, scaled so that its ink fills a
  // `size` square less `margin` pixels on each side, centred.
  Mask FilledGlyph(char32_t glyph, int size, int margin) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace mivello::pictures

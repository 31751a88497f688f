#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "runtime/pictures/decode.h"

namespace mivello::pictures {
namespace {

struct Source {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* into, int wanted) {
  auto* source = static_cast<Source*>(gif->UserData);
  const std::size_t n =
      std::min(static_cast<std::size_t>(std::max(wanted, 0)), source->bytes.size() - source->position);
  std::memcpy(into, source->bytes.data() + source->position, n);
  source->position += n;
  return static_cast<int>(n);
}

struct CloseGif {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

}  // namespace

Bitmap FirstGifFrame(std::span<const std::uint8_t> bytes) {
  Source source{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, CloseGif> gif(DGifOpen(&source, &ReadBytes, &error));
  // The whole file is read: DGifSlurp also undoes interlacing.
  if (gif == nullptr || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return {};
  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* colours =
      frame.ImageDesc.ColorMap != nullptr ? frame.ImageDesc.ColorMap : gif->SColorMap;
  const int width = gif->SWidth, height = gif->SHeight;
  if (colours == nullptr || width <= 0 || height <= 0 || width > 4096 || height > 4096) return {};
  GraphicsControlBlock control{};
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif.get(), 0, &control);

  Bitmap bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0)};
  const GifImageDesc& at = frame.ImageDesc;
  for (int y = 0; y < at.Height; ++y) {
    for (int x = 0; x < at.Width; ++x) {
      const int index = frame.RasterBits[static_cast<std::size_t>(y) * at.Width + x];
      const int sx = at.Left + x, sy = at.Top + y;
      if (index == control.TransparentColor || index >= colours->ColorCount || sx >= width || sy >= height)
        continue;
      const GifColorType& c = colours->Colors[index];
      bitmap.pixels[static_cast<std::size_t>(sy) * width + sx] =
          0xFF000000u | static_cast<std::uint32_t>(c.Red) << 16 | static_cast<std::uint32_t>(c.Green) << 8 |
          c.Blue;
    }
  }
  return bitmap;
}

}  // namespace mivello::pictures

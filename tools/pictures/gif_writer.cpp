#include "gif_writer.h"

#include <gif_lib.h>

#include <cstring>
#include <map>
#include <stdexcept>
#include <tuple>

namespace mivello::pictures {
namespace {

int Append(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

class Palette {
 public:
  Palette(int size, int transparent) : size_(size), transparent_(transparent) {
    if (transparent_ >= 0) colours_[transparent_] = Hex(0xFFFFFF);
  }
  int IndexOf(Rgb c) {
    const auto key = std::make_tuple(c.r, c.g, c.b);
    if (auto it = index_.find(key); it != index_.end()) return it->second;
    while (next_ == transparent_) ++next_;
    if (next_ >= size_) throw std::runtime_error("more colours than the palette holds");
    colours_[next_] = c;
    index_[key] = next_;
    return next_++;
  }
  ColorMapObject* Make() const {
    std::vector<GifColorType> entries(static_cast<std::size_t>(size_));
    for (const auto& [i, c] : colours_) entries[static_cast<std::size_t>(i)] = {c.r, c.g, c.b};
    return GifMakeMapObject(size_, entries.data());
  }

 private:
  int size_;
  int transparent_;
  int next_ = 0;
  std::map<int, Rgb> colours_;
  std::map<std::tuple<std::uint8_t, std::uint8_t, std::uint8_t>, int> index_;
};

}  // namespace

std::vector<std::uint8_t> WriteGif(const std::vector<GifFrame>& frames, const GifOptions& options) {
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, Append, &error);
  if (gif == nullptr) throw std::runtime_error(GifErrorString(error));

  const int width = frames.front().canvas.Width();
  const int height = frames.front().canvas.Height();
  Palette palette(options.paletteSize, options.transparentIndex);
  std::vector<std::vector<GifByteType>> rasters;
  for (const GifFrame& frame : frames) {
    std::vector<GifByteType> raster;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool clear = frame.canvas.IsClear(x, y) && options.transparentIndex >= 0;
        raster.push_back(static_cast<GifByteType>(clear ? options.transparentIndex
                                                        : palette.IndexOf(frame.canvas.At(x, y))));
      }
    }
    rasters.push_back(std::move(raster));
  }

  // The sequential writer: giflib owns nothing of ours when it closes.
  ColorMapObject* colours = palette.Make();
  const int background = options.transparentIndex >= 0 ? options.transparentIndex : 0;
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, width, height, 8, background, colours) == GIF_OK;
  GifFreeMapObject(colours);
  const bool animated = frames.size() > 1;
  if (ok && animated && options.loopForever) {
    static const GifByteType kNetscape[] = "NETSCAPE2.0";
    static const GifByteType kForever[] = {1, 0, 0};
    ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, kNetscape) == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, kForever) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
  }
  for (std::size_t i = 0; ok && i < frames.size(); ++i) {
    if (animated || options.transparentIndex >= 0) {
      // Each frame is whole: clear to the background before the next.
      const GraphicsControlBlock gcb{options.transparentIndex >= 0 ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT,
                                     false, frames[i].delayCentiseconds, options.transparentIndex};
      GifByteType bytes[4];
      EGifGCBToExtension(&gcb, bytes);
      ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, bytes) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y) {
      ok = EGifPutLine(gif, rasters[i].data() + static_cast<std::size_t>(y * width), width) == GIF_OK;
    }
  }
  const int failure = gif->Error;
  if (EGifCloseFile(gif, &error) == GIF_ERROR || !ok) {
    throw std::runtime_error(GifErrorString(ok ? error : failure));
  }
  return out;
}

}  // namespace mivello::pictures

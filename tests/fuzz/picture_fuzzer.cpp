// Any bytes as a GIF and as an icon file: pictures or nothing, never a read
// outside the bytes, and every picture as large as it says.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "runtime/pictures/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto whole = [](const mivello::pictures::Bitmap& b) {
    return b.pixels.size() == static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height);
  };
  if (!whole(mivello::pictures::FirstGifFrame(bytes))) std::abort();
  for (const auto& image : mivello::pictures::IconImages(bytes)) {
    if (!whole(image) || image.empty()) std::abort();
  }
  return 0;
}

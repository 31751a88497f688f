// Writes each image of an icon file as a PNG in an icon theme's layout:
//   icon_pngs ICON_FILE OUTPUT_FOLDER NAME  ->  OUTPUT_FOLDER/16x16/apps/NAME.png, ...
// It runs on the build machine, also in a cross build, so it needs nothing
// but the runtime's own icon reader and libpng.
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "runtime/pictures/decode.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// An 8-bit RGBA PNG of the bitmap; false when it cannot be written.
bool WritePng(const mivello::pictures::Bitmap& image, const std::filesystem::path& path) {
  std::vector<png_byte> bytes;
  bytes.reserve(image.pixels.size() * 4);
  for (const std::uint32_t argb : image.pixels) {
    bytes.insert(bytes.end(), {static_cast<png_byte>(argb >> 16), static_cast<png_byte>(argb >> 8),
                               static_cast<png_byte>(argb), static_cast<png_byte>(argb >> 24)});
  }
  std::vector<png_bytep> rows;
  for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y)
    rows.push_back(bytes.data() + y * static_cast<std::size_t>(image.width) * 4);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  // libpng reports a failure by jumping back here; nothing with a destructor
  // is made from here on.
  if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: icon_pngs ICON_FILE OUTPUT_FOLDER NAME\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> ico{std::istreambuf_iterator<char>(in), {}};
  const std::vector<mivello::pictures::Bitmap> images = mivello::pictures::IconImages(ico);
  if (images.empty()) {
    std::fprintf(stderr, "icon_pngs: no images in %s\n", argv[1]);
    return 1;
  }
  for (const mivello::pictures::Bitmap& image : images) {
    const std::filesystem::path folder = std::filesystem::path(argv[2]) /
                                         (std::to_string(image.width) + "x" + std::to_string(image.height)) /
                                         "apps";
    std::filesystem::create_directories(folder);
    if (!WritePng(image, folder / (std::string(argv[3]) + ".png"))) {
      std::fprintf(stderr, "icon_pngs: cannot write %s\n", (folder / argv[3]).c_str());
      return 1;
    }
  }
  return 0;
}

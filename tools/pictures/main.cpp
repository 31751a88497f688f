// Draws the window's icon and its two badges: make_pictures OUTPUT_FOLDER.
// The same fonts give the same bytes on every run.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "designs.h"

namespace {

constexpr const char* kBoldFont = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";
constexpr const char* kPixelFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

void Save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures OUTPUT_FOLDER\n");
    return 2;
  }
  try {
    using namespace mivello::pictures;
    const std::string folder = argv[1];
    const Font bold(kBoldFont, "Noto Sans CJK SC");
    const Font pixel(kPixelFont, "WenQuanYi Zen Hei Sharp");
    Save(folder + "/mivello.ico", MakeIcon(bold));
    Save(folder + "/wangwang.gif", MakeWangwangBadge(pixel));
    Save(folder + "/qq.gif", MakeQqBadge(pixel));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}

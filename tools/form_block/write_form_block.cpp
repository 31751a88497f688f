// Packs Form1's content and its three picture files into the stored form
// description block:  write_form_block ICON WANGWANG_GIF QQ_GIF OUTPUT
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/form1/content.h"
#include "ui/form1/ids.h"
#include "ui/stored_form/writer.h"

namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: write_form_block ICON WANGWANG_GIF QQ_GIF OUTPUT\n");
    return 2;
  }
  try {
    const auto icon = ReadFile(argv[1]);
    const auto wangwang = ReadFile(argv[2]);
    const auto qq = ReadFile(argv[3]);
    const auto content = mivello::Form1Content({icon, wangwang, qq});
    const auto block = mivello::WriteFormDescription(content, mivello::kForm1Id, mivello::kForm1SecondId);
    std::ofstream out(argv[4], std::ios::binary);
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[4]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "write_form_block: %s\n", e.what());
    return 1;
  }
  return 0;
}

// Prints a stored form description block as text, field by field:
//   dump_form_block FILE
// Each line: the offset in decimal and hex, the field, its value (texts in UTF-8).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/form_reader.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dump_form_block FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "dump_form_block: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<std::uint8_t> block{std::istreambuf_iterator<char>(in), {}};
  std::printf("%zu bytes\n", block.size());
  const auto ids = mivello::IdentifiersInHeader(block);
  try {
    const auto form = mivello::ReadFormDescription(
        block, ids.formId, ids.secondFormId,
        [](std::size_t offset, std::string_view field, const std::string& value) {
          std::printf("%6zu  %05zX  %-24.*s %s\n", offset, offset, static_cast<int>(field.size()),
                      field.data(), value.c_str());
        });
    std::printf("form %s with %zu controls\n", form.name.c_str(), form.controls.size());
  } catch (const mivello::FormDescriptionError& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
  return 0;
}

// Prints a stored form description block as text, field by field:
//   dump_form_block FILE
// Each line: the offset in decimal and hex, the field, its value (texts in UTF-8).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/stored_form/reader.h"
#include "ui/stored_form/values.h"

namespace {

namespace sf = mivello::stored_form;
using sf::ValueKind;

std::string Hex2(unsigned v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%02X", v);
  return buffer;
}

// Bytes as "01 00 42 00".
std::string Spaced(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::uint8_t b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", b);
    out += hex;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

std::string RectText(const mivello::TwipsRect& r) {
  return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.width) + ", " +
         std::to_string(r.height);
}

// A property's value as people read it.
std::string PropertyText(ValueKind kind, std::span<const std::uint8_t> bytes) {
  const auto value = sf::Decode(kind, bytes);
  switch (kind) {
    case ValueKind::Text:
      return '"' + mivello::ToUtf8(std::get<mivello::String>(*value)) + '"';
    case ValueKind::SmallInteger:
      return std::to_string(*std::get<std::optional<std::int16_t>>(*value));
    case ValueKind::Byte:
      return std::to_string(bytes[0]);
    case ValueKind::Rectangle:
    case ValueKind::ClientRectangle:
      return RectText(std::get<mivello::TwipsRect>(*value));
    case ValueKind::Picture:
      return std::to_string(bytes.size() - 12) + " bytes of picture data";
    default:  // colours and the four bytes, as they are
      return Spaced(bytes);
  }
}

std::string FieldText(const mivello::FieldRead& field) {
  const auto& b = field.bytes;
  switch (field.row.kind) {
    case ValueKind::Mark:
      return Spaced(b);
    case ValueKind::Identifier:
      return sf::IdentifierText(sf::IdentifierOf(b));
    case ValueKind::Length:
      return std::to_string(sf::LittleEndian(b));
    case ValueKind::ObjectHeader:  // number, name length, name, 0, class
      return std::to_string(b[0]) + " " + std::string(b.begin() + 3, b.end() - 2) + ", class " +
             std::to_string(b.back());
    case ValueKind::LinkByte:
      return Hex2(b[0]);
    case ValueKind::EndByte:
      return Spaced(b);
    case ValueKind::UnknownProperty:
      return Hex2(b[0]) + ": the control is stepped over";
    case ValueKind::UnknownClass:
      return std::to_string(b[0]) + ": the control is stepped over";
    default:
      return PropertyText(field.row.kind, b);
  }
}

void Print(const mivello::FieldRead& field) {
  std::string name(field.row.name);
  if (field.row.code != sf::kFraming) name = Hex2(static_cast<unsigned>(field.row.code)) + " " + name;
  std::printf("%6zu  %05zX  %-24s %s\n", field.offset, field.offset, name.c_str(), FieldText(field).c_str());
}

}  // namespace

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
    const auto form = mivello::ReadFormDescription(block, ids.formId, ids.secondFormId, &Print);
    std::printf("form %s with %zu controls\n", form.name.c_str(), form.controls.size());
  } catch (const mivello::StartupError& e) {  // a damaged block, or no converter for its texts
    std::printf("error: %s\n", e.what());
    return 1;
  }
  return 0;
}

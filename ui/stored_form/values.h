#pragma once
// A property's value between its bytes and its field: decoded from the bytes
// the reader has measured, encoded by the writer, moved in and out of the
// model by a schema row.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "runtime/startup/project.h"
#include "ui/stored_form/schema.h"

namespace mivello::stored_form {

// One alternative per type of field, in the order of Field.
using Value = std::variant<String, std::optional<Colour>, std::optional<std::int16_t>, std::uint8_t,
                           TwipsRect, std::vector<std::uint8_t>, std::array<std::uint8_t, 4>>;

// The value of `kind` that the bytes of a whole value hold (a text's count
// and 0, a picture's lengths and tag included). nullopt for a text whose
// bytes are no code page 936.
std::optional<Value> Decode(ValueKind kind, std::span<const std::uint8_t> bytes);

// Appends the bytes of `value`; throws std::invalid_argument for a value the
// format cannot hold (a text without a code page 936 encoding, a rectangle
// value outside 0 to 65535, a picture over 4 GB).
void Encode(ValueKind kind, const Value& value, std::vector<std::uint8_t>& out);

// A field left out of a record reads as this.
bool AtDefault(const Value& value);

template <class Model>
Value Get(const Model& model, const Field<Model>& field) {
  return std::visit([&](auto member) { return Value(model.*member); }, field);
}

template <class Model>
void Set(Model& model, const Field<Model>& field, Value&& value) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(model.*member)>;
        model.*member = std::get<T>(std::move(value));
      },
      field);
}

// Little-endian integers.
inline std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes) {
  std::uint32_t v = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) v = (v << 8) | bytes[i];
  return v;
}
void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes);

// An identifier from its 16 bytes, and as "{01234567-89AB-CDEF-0123-456789ABCDEF}".
Guid IdentifierOf(std::span<const std::uint8_t> bytes);
std::string IdentifierText(const Guid& id);

}  // namespace mivello::stored_form

#pragma once
// Which property code of which class carries which field, as which kind of
// value: the one table that the writer and the reader both walk. Rows rise
// by code, which is also the order in which a record stores them.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/form_model.h"

namespace mivello::stored_form {

enum class ValueKind : std::uint8_t {
  // Property values.
  Text,             // 2-byte count, code page 936 bytes, 0
  Colour,           // red, green, blue, 0
  SmallInteger,     // 2 bytes
  Byte,             // 1 byte
  Rectangle,        // four 2-byte values in twips
  ClientRectangle,  // four 4-byte values in twips
  Picture,          // 4-byte length, "lt" 0 0, 4-byte data length, data
  FourBytes,        // 4 bytes kept as they are
  // The block's framing, which the reader also reports.
  Mark,             // FF CC
  Identifier,       // a 16-byte identifier
  Length,           // a 4-byte length
  ObjectHeader,     // object number, name and class
  LinkByte,         // 0x01, 0x02 or 0x03 between records
  EndByte,          // the final 0x04
  UnknownProperty,  // a code the control's class lacks: the control is stepped over
  UnknownClass,     // a class the runtime lacks: the control is stepped over
};

// A row as the reader reports it: a property (code 0x00 to 0xFE) or a
// framing field (kFraming).
inline constexpr int kFraming = -1;
struct RowInfo {
  int code;
  ValueKind kind;
  std::string_view name;  // as people read it in a dump
};

// Where a row's value lives in the model. Each kind has one type of field.
template <class Model>
using Field = std::variant<String Model::*, std::optional<Colour> Model::*,
                           std::optional<std::int16_t> Model::*, std::uint8_t Model::*, TwipsRect Model::*,
                           std::vector<std::uint8_t> Model::*, std::array<std::uint8_t, 4> Model::*>;

template <class Model>
struct PropertyRow : RowInfo {
  constexpr PropertyRow(int rowCode, ValueKind valueKind, std::string_view rowName, Field<Model> where)
      : RowInfo{rowCode, valueKind, rowName}, field(where) {}
  Field<Model> field;
};
using FormRow = PropertyRow<FormModel>;
using ControlRow = PropertyRow<ControlModel>;

// The form's own properties.
std::span<const FormRow> FormProperties();
// A control class's properties; nullopt for a class the runtime does not know.
std::optional<std::span<const ControlRow>> ControlProperties(std::uint8_t controlClass);

// The framing fields, for the reader's reports.
namespace framing {
inline constexpr RowInfo kMark{kFraming, ValueKind::Mark, "mark"};
inline constexpr RowInfo kFormId{kFraming, ValueKind::Identifier, "form identifier"};
inline constexpr RowInfo kSecondFormId{kFraming, ValueKind::Identifier, "second form identifier"};
inline constexpr RowInfo kClassId{kFraming, ValueKind::Identifier, "class identifier"};
inline constexpr RowInfo kRestLength{kFraming, ValueKind::Length, "rest length"};
inline constexpr RowInfo kFormLength{kFraming, ValueKind::Length, "form length"};
inline constexpr RowInfo kControlLength{kFraming, ValueKind::Length, "control length"};
inline constexpr RowInfo kObject{kFraming, ValueKind::ObjectHeader, "object"};
inline constexpr RowInfo kLink{kFraming, ValueKind::LinkByte, "link"};
inline constexpr RowInfo kEnd{kFraming, ValueKind::EndByte, "end"};
inline constexpr RowInfo kUnknownProperty{kFraming, ValueKind::UnknownProperty, "unknown property"};
inline constexpr RowInfo kUnknownClass{kFraming, ValueKind::UnknownClass, "unknown class"};
}  // namespace framing

}  // namespace mivello::stored_form

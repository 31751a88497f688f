#include "ui/stored_form/schema.h"

namespace mivello::stored_form {
namespace {

using K = ValueKind;
using F = FormModel;
using C = ControlModel;

constexpr FormRow kForm[] = {
    {0x01, K::Text, "caption", &F::caption},
    {0x19, K::FourBytes, "meaning unknown", &F::property19},
    {0x23, K::Picture, "icon", &F::icon},
    {0x24, K::Text, "link topic", &F::linkTopic},
    {0x35, K::ClientRectangle, "client rectangle", &F::clientRect},
    {0x46, K::Byte, "start-up position", &F::startUpPosition},
};

constexpr ControlRow kLabel[] = {
    {0x01, K::Text, "caption", &C::caption},     {0x04, K::Colour, "text colour", &C::foreColour},
    {0x05, K::Rectangle, "rectangle", &C::rect}, {0x12, K::SmallInteger, "tab index", &C::tabIndex},
    {0x2A, K::Text, "tooltip", &C::toolTip},
};

constexpr ControlRow kTextBox[] = {
    {0x04, K::Rectangle, "rectangle", &C::rect},
    {0x12, K::SmallInteger, "tab index", &C::tabIndex},
};

constexpr ControlRow kCommandButton[] = {
    {0x01, K::Text, "caption", &C::caption},
    {0x04, K::Rectangle, "rectangle", &C::rect},
    {0x11, K::SmallInteger, "tab index", &C::tabIndex},
};

constexpr ControlRow kPicture[] = {
    {0x02, K::Picture, "picture", &C::picture},
    {0x03, K::Rectangle, "rectangle", &C::rect},
    {0x17, K::Text, "tooltip", &C::toolTip},
};

// The type of field that each kind of value fills, by variant index.
template <class Model>
constexpr std::size_t FieldIndexOf(ValueKind kind) {
  switch (kind) {
    case K::Text:
      return 0;
    case K::Colour:
      return 1;
    case K::SmallInteger:
      return 2;
    case K::Byte:
      return 3;
    case K::Rectangle:
    case K::ClientRectangle:
      return 4;
    case K::Picture:
      return 5;
    case K::FourBytes:
      return 6;
    default:
      return std::variant_size_v<Field<Model>>;  // framing: no field
  }
}

// Codes rise, stay below the 0xFF that ends a record, and each kind fills its type of field.
template <class Model, std::size_t N>
constexpr bool WellFormed(const PropertyRow<Model> (&rows)[N]) {
  int last = kFraming;
  for (const PropertyRow<Model>& row : rows) {
    if (row.code <= last || row.code >= 0xFF) return false;
    if (row.field.index() != FieldIndexOf<Model>(row.kind)) return false;
    last = row.code;
  }
  return true;
}
static_assert(WellFormed(kForm) && WellFormed(kLabel) && WellFormed(kTextBox) && WellFormed(kCommandButton) &&
              WellFormed(kPicture));

}  // namespace

std::span<const FormRow> FormProperties() { return kForm; }

std::optional<std::span<const ControlRow>> ControlProperties(std::uint8_t controlClass) {
  switch (static_cast<ControlClass>(controlClass)) {
    case ControlClass::Label:
      return kLabel;
    case ControlClass::TextBox:
      return kTextBox;
    case ControlClass::CommandButton:
      return kCommandButton;
    case ControlClass::Picture:
      return kPicture;
    case ControlClass::Form:
      break;
  }
  return std::nullopt;
}

}  // namespace mivello::stored_form

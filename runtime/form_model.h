#pragma once
// What a window is made of: the form's own properties and its controls,
// as the stored form description gives them. Geometry is in twips.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/string.h"

namespace mivello {

enum class ControlClass : std::uint8_t {
  Label = 1,
  TextBox = 2,
  CommandButton = 4,
  Form = 13,
  Picture = 24,
};

struct TwipsRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// Colours as the runtime stores them: red in the low byte, then green, then blue.
struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

struct ControlModel {
  std::string name;
  ControlClass kind = ControlClass::Label;
  String caption;
  TwipsRect rect;
  std::optional<std::int16_t> tabIndex;
  String toolTip;
  std::optional<Colour> foreColour;
  std::vector<std::uint8_t> picture;  // a complete GIF file
  friend bool operator==(const ControlModel&, const ControlModel&) = default;
};

struct FormModel {
  std::string name;
  String caption;
  std::array<std::uint8_t, 4> property19{};
  std::vector<std::uint8_t> icon;  // a complete icon file
  String linkTopic;
  TwipsRect clientRect;
  std::uint8_t startUpPosition = 0;
  std::vector<ControlModel> controls;  // stored order: the top of the drawing order first
  friend bool operator==(const FormModel&, const FormModel&) = default;
};

inline bool TakesFocus(ControlClass kind) {
  return kind == ControlClass::TextBox || kind == ControlClass::CommandButton;
}

}  // namespace mivello

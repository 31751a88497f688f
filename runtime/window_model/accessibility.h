#pragma once
// The window as assistive tools present it, the same for every backend:
// every control in reading order, painted labels and pictures included, with
// a role, a name, a description and the captions that name the text boxes.
#include <cstddef>
#include <optional>
#include <vector>

#include "runtime/form.h"
#include "runtime/startup/events.h"

namespace mivello {

enum class AccessibleRole {
  StaticText,  // a label without a procedure
  Link,        // a label or picture whose Click runs a procedure
  Graphic,     // a picture without one
  EditableText,
  PushButton,
};

struct AccessibleElement {
  std::size_t control = 0;  // index in the form's stored order
  AccessibleRole role = AccessibleRole::StaticText;
  String name;
  String description;                     // the tooltip
  std::optional<std::size_t> labelFor;    // a caption: the text box it names
  std::optional<std::size_t> labelledBy;  // a text box: its caption
  // Painted by the runtime (labels, pictures), not a native control.
  bool painted() const { return role != AccessibleRole::EditableText && role != AccessibleRole::PushButton; }
  // Its action runs the control's Click procedure.
  bool hasAction() const { return role == AccessibleRole::Link || role == AccessibleRole::PushButton; }
};

// Rows from the top (controls whose heights overlap share a row), left to
// right within a row.
std::vector<AccessibleElement> AccessibleElements(const Form& form, const EventDispatcher& events);

}  // namespace mivello

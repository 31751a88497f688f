#pragma once
// Layout rules every backend shares: the order in which the keyboard visits
// the controls, and what names them for assistive tools.
#include <cstddef>
#include <optional>
#include <vector>

#include "runtime/form_model.h"

namespace mivello {

// Whether two controls share a row: their heights overlap.
bool SameRow(const TwipsRect& a, const TwipsRect& b);

// Indexes of the focusable controls in rising tab index; the first has the
// focus at start-up.
std::vector<std::size_t> TabOrder(const FormModel& form);

// The label on the left of a text box, in its row: its caption.
std::optional<std::size_t> CaptionOf(const FormModel& form, std::size_t textBox);

// What screen readers call a control: a button its caption; a text box the
// caption of the label on its left, without the closing colon.
String AccessibleName(const FormModel& form, std::size_t control);

}  // namespace mivello

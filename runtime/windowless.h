#pragma once
// What the runtime draws itself, labels and pictures, on every backend: the
// order it paints them in, which one a point reaches, and when a press and
// a release make a Click.
#include <cstddef>
#include <optional>
#include <vector>

#include "runtime/form_model.h"
#include "runtime/geometry.h"

namespace mivello {

// Labels and pictures from the bottom of the stored order up: earlier
// controls cover later ones.
std::vector<std::size_t> PaintOrder(const FormModel& form);

// The label or picture that takes a click or shows its tooltip at a point:
// the one earliest in the stored order wins. Text boxes and buttons are
// native windows above all of them and are not considered.
std::optional<std::size_t> WindowlessHitTest(const FormModel& form, TwipsPoint point);

// A Click is a press and a release of the left button on the same element.
class ClickTracker {
 public:
  void Press(std::optional<std::size_t> element) { pressed_ = element; }
  // The element clicked by a release on `element`, if any; forgets the press.
  std::optional<std::size_t> Release(std::optional<std::size_t> element) {
    const std::optional<std::size_t> pressed = pressed_;
    pressed_.reset();
    return pressed && pressed == element ? pressed : std::nullopt;
  }

 private:
  std::optional<std::size_t> pressed_;
};

}  // namespace mivello

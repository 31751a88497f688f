#include "runtime/windowless.h"

namespace mivello {

std::vector<std::size_t> PaintOrder(const FormModel& form) {
  std::vector<std::size_t> order;
  for (std::size_t i = form.controls.size(); i-- > 0;) {
    if (!TakesFocus(form.controls[i].kind)) order.push_back(i);
  }
  return order;
}

std::optional<std::size_t> WindowlessHitTest(const FormModel& form, TwipsPoint point) {
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    const ControlModel& c = form.controls[i];
    if (!TakesFocus(c.kind) && Contains(c.rect, point)) return i;
  }
  return std::nullopt;
}

}  // namespace mivello

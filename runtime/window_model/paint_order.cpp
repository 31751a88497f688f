#include "runtime/window_model/paint_order.h"

namespace mivello {

std::vector<std::size_t> PaintOrder(const FormModel& form) {
  std::vector<std::size_t> order;
  for (std::size_t i = form.controls.size(); i-- > 0;) {
    if (!TakesFocus(form.controls[i].kind)) order.push_back(i);
  }
  return order;
}

}  // namespace mivello

#include "runtime/window_model/layout.h"

#include <algorithm>

namespace mivello {

bool SameRow(const TwipsRect& a, const TwipsRect& b) {
  return a.top < b.top + b.height && b.top < a.top + a.height;
}

std::vector<std::size_t> TabOrder(const FormModel& form) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (TakesFocus(form.controls[i].kind)) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return form.controls[a].tabIndex.value_or(0) < form.controls[b].tabIndex.value_or(0);
  });
  return order;
}

std::optional<std::size_t> CaptionOf(const FormModel& form, std::size_t textBox) {
  const ControlModel& target = form.controls[textBox];
  std::optional<std::size_t> nearest;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    const ControlModel& c = form.controls[i];
    if (c.kind != ControlClass::Label || !SameRow(c.rect, target.rect) || c.rect.left >= target.rect.left)
      continue;
    if (!nearest || c.rect.left > form.controls[*nearest].rect.left) nearest = i;
  }
  return nearest;
}

String AccessibleName(const FormModel& form, std::size_t control) {
  const ControlModel& target = form.controls[control];
  if (target.kind != ControlClass::TextBox) return target.caption;
  const std::optional<std::size_t> caption = CaptionOf(form, control);
  if (!caption) return {};
  String name = form.controls[*caption].caption;
  while (!name.empty() && (name.back() == u':' || name.back() == u'：')) name.pop_back();
  return name;
}

}  // namespace mivello

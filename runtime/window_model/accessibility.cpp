#include "runtime/window_model/accessibility.h"

#include <algorithm>

#include "runtime/window_model/layout.h"

namespace mivello {
namespace {

std::vector<std::size_t> ReadingOrder(const FormModel& model) {
  std::vector<std::size_t> byTop(model.controls.size());
  for (std::size_t i = 0; i < byTop.size(); ++i) byTop[i] = i;
  std::stable_sort(byTop.begin(), byTop.end(), [&](std::size_t a, std::size_t b) {
    return model.controls[a].rect.top < model.controls[b].rect.top;
  });
  std::vector<std::size_t> order;
  std::size_t rowStart = 0;
  TwipsRect row{};
  for (std::size_t i : byTop) {
    const TwipsRect& r = model.controls[i].rect;
    if (order.empty() || !SameRow(row, r)) {
      rowStart = order.size();
      row = r;
    } else {
      const std::int32_t bottom = std::max(row.top + row.height, r.top + r.height);
      row.height = bottom - row.top;
    }
    order.push_back(i);
    std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(rowStart), order.end(),
                     [&](std::size_t a, std::size_t b) {
                       return model.controls[a].rect.left < model.controls[b].rect.left;
                     });
  }
  return order;
}

AccessibleRole RoleOf(const ControlModel& c, bool clickable) {
  switch (c.kind) {
    case ControlClass::TextBox:
      return AccessibleRole::EditableText;
    case ControlClass::CommandButton:
      return AccessibleRole::PushButton;
    case ControlClass::Picture:
      return clickable ? AccessibleRole::Link : AccessibleRole::Graphic;
    default:
      return clickable ? AccessibleRole::Link : AccessibleRole::StaticText;
  }
}

}  // namespace

std::vector<AccessibleElement> AccessibleElements(const Form& form, const EventDispatcher& events) {
  const FormModel& model = form.Model();
  std::vector<AccessibleElement> elements;
  for (std::size_t i : ReadingOrder(model)) {
    const ControlModel& c = model.controls[i];
    AccessibleElement e;
    e.control = i;
    e.role = RoleOf(c, events.Handles(i, Event::Click));
    e.name = c.kind == ControlClass::Picture ? String(form.PictureWords(i)) : AccessibleName(model, i);
    if (e.name.empty()) e.name = c.toolTip;
    e.description = c.toolTip;
    if (c.kind == ControlClass::TextBox) e.labelledBy = CaptionOf(model, i);
    elements.push_back(std::move(e));
  }
  for (const AccessibleElement& e : elements) {
    if (!e.labelledBy) continue;
    for (AccessibleElement& caption : elements) {
      if (caption.control == *e.labelledBy) caption.labelFor = e.control;
    }
  }
  return elements;
}

}  // namespace mivello

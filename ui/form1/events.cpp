#include "ui/form1/events.h"

#include "calc/procedures.h"
#include "links/procedures.h"

namespace mivello {

std::span<const EventBinding> Form1Events() {
  static constexpr EventBinding kBindings[] = {
      {"Command1", Event::Click, &Command1_Click}, {"Command2", Event::Click, &Command2_Click},
      {"Image1", Event::Click, &Image1_Click},     {"Image2", Event::Click, &Image2_Click},
      {"Label1", Event::Click, &Label1_Click},
  };
  return kBindings;
}

}  // namespace mivello

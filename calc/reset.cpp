#include "calc/procedures.h"

namespace mivello {
namespace {

// One box at a time: the reference is released before the next is taken.
void Empty(Form& me, std::string_view box) {
  ControlRef text = me.vbaObjSet(box);
  CheckStatus(text->SetText(u""), *text);
}

}  // namespace

void Command2_Click(Form& me) {
  Empty(me, "Text3");
  Empty(me, "Text1");
  Empty(me, "Text2");
}

}  // namespace mivello

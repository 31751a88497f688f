#pragma once
#include "runtime/form.h"

namespace mivello {

// Click of Command1 ("计算"): Text3 = (Text1 × Text2) ÷ 10.
void Command1_Click(Form& me);

// Click of Command2 ("重来"): empties Text3, Text1 and Text2, in that order.
void Command2_Click(Form& me);

}  // namespace mivello

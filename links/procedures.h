#pragma once
#include "runtime/form.h"

namespace mivello {

// Click of Image1, the Wangwang badge: the Wangwang web chat, browser hidden.
void Image1_Click(Form& me);
// Click of Image2, the QQ badge: the QQ chat, browser hidden.
void Image2_Click(Form& me);
// Click of Label1, the red shop line: the shop's page, browser shown.
void Label1_Click(Form& me);

}  // namespace mivello

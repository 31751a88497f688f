#include "ui/form1/picture_words.h"

namespace mivello {

std::span<const PictureWords> Form1PictureWords() {
  static constexpr PictureWords kWords[] = {{"Image1", u"和我联系"}, {"Image2", u"QQ在线"}};
  return kWords;
}

}  // namespace mivello

// The form's pictures decoded without a window system: the committed badges
// and icon as they must look, and any damaged bytes giving nothing rather
// than a read outside them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/pictures/decode.h"

namespace mivello::pictures {
namespace {

std::vector<std::uint8_t> ReadAsset(const std::string& name) {
  std::ifstream in(std::string(MIVELLO_ASSETS) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

int Transparent(const Bitmap& b) {
  int n = 0;
  for (std::uint32_t p : b.pixels) n += p == 0 ? 1 : 0;
  return n;
}

TEST(PictureDecode, TheBadgesFirstFramesWithTheirTransparency) {
  const Bitmap wangwang = FirstGifFrame(ReadAsset("wangwang.gif"));
  ASSERT_EQ(wangwang.width, 77);
  ASSERT_EQ(wangwang.height, 19);
  EXPECT_EQ(wangwang.pixels[0], 0u);                // row 0 is transparent at the corner
  EXPECT_EQ(wangwang.pixels[9 * 77], 0xFFFC9F4Cu);  // the side of the frame, middle row
  EXPECT_GT(Transparent(wangwang), 60);
  const Bitmap qq = FirstGifFrame(ReadAsset("qq.gif"));
  ASSERT_EQ(qq.width, 74);
  ASSERT_EQ(qq.height, 23);
  EXPECT_EQ(qq.pixels[11 * 74], 0xFF3366CCu);  // the blue border
  EXPECT_EQ(Transparent(qq), 0);               // no transparency
}

TEST(PictureDecode, TheIconsFourOpaqueImagesTopDown) {
  const std::vector<Bitmap> images = IconImages(ReadAsset("mivello.ico"));
  ASSERT_EQ(images.size(), 4u);
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = 16 * static_cast<int>(i + 1);
    EXPECT_EQ(images[i].width, size);
    EXPECT_EQ(images[i].height, size);
    EXPECT_EQ(Transparent(images[i]), 0) << size;
    EXPECT_EQ(images[i].pixels[0], 0xFF000000u) << size;  // the black square's corner
  }
}

TEST(PictureDecode, DamagedBytesGiveNothing) {
  const std::vector<std::uint8_t> gif = ReadAsset("qq.gif");
  for (std::size_t cut : {std::size_t{0}, std::size_t{6}, std::size_t{13}, gif.size() / 2}) {
    EXPECT_TRUE(FirstGifFrame(std::span(gif).first(cut)).empty()) << "cut at " << cut;
  }
  std::vector<std::uint8_t> ico = ReadAsset("mivello.ico");
  EXPECT_TRUE(IconImages(std::span(ico).first(5)).empty());
  EXPECT_EQ(IconImages(std::span(ico).first(ico.size() - 1)).size(), 3u);  // the last image is cut short
  ico[6 + 12] = 0xFF;  // the first image's offset, beyond the file
  ico[6 + 15] = 0x7F;
  EXPECT_EQ(IconImages(ico).size(), 0u);  // and the entries after a broken one are not trusted
}

TEST(PictureDecode, IconEntriesOfOtherKindsAreLeftOut) {
  std::vector<std::uint8_t> ico = ReadAsset("mivello.ico");
  const std::size_t first = ico[6 + 12] | ico[6 + 13] << 8;
  ico[first + 14] = 8;  // a palette image
  EXPECT_EQ(IconImages(ico).size(), 3u);
}

}  // namespace
}  // namespace mivello::pictures

// The committed pictures, decoded with giflib and read as icon files; and
// the runtime's own decoders of them: the badges and the icon as they must
// look, and any damaged bytes giving nothing rather than a read outside them.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "runtime/pictures/decode.h"

namespace {

std::vector<std::uint8_t> ReadAsset(const std::string& name) {
  std::ifstream in(std::string(MIVELLO_ASSETS) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct GifDeleter {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using Gif = std::unique_ptr<GifFileType, GifDeleter>;

struct Reader {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int length) {
  auto* r = static_cast<Reader*>(gif->UserData);
  const auto n = std::min<std::size_t>(static_cast<std::size_t>(length), r->bytes->size() - r->at);
  std::memcpy(out, r->bytes->data() + r->at, n);
  r->at += n;
  return static_cast<int>(n);
}

// A committed GIF, read whole by giflib.
struct DecodedGif {
  explicit DecodedGif(const std::string& name) : bytes(ReadAsset(name)), reader{&bytes, 0} {
    int error = 0;
    gif.reset(DGifOpen(&reader, ReadBytes, &error));
    if (gif != nullptr && DGifSlurp(gif.get()) != GIF_OK) gif.reset();
  }
  DecodedGif(const DecodedGif&) = delete;
  DecodedGif& operator=(const DecodedGif&) = delete;

  std::vector<std::uint8_t> bytes;
  Reader reader;
  Gif gif;
};

// The loop block must come before the first frame to count: giflib files
// the blocks before an image under that image.
bool LoopsForever(const GifFileType* gif) {
  const SavedImage& first = gif->SavedImages[0];
  for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
    const ExtensionBlock& app = first.ExtensionBlocks[i];
    const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
    if (app.Function == APPLICATION_EXT_FUNC_CODE && app.ByteCount == 11 &&
        std::memcmp(app.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 && data.Bytes[0] == 1) {
      return data.Bytes[1] == 0 && data.Bytes[2] == 0;
    }
  }
  return false;
}

TEST(WangwangBadge, HasTheFramesDelaysAndPaletteOfTheDesign) {
  const DecodedGif decoded("wangwang.gif");
  const Gif& gif = decoded.gif;
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->SWidth, 77);
  EXPECT_EQ(gif->SHeight, 19);
  ASSERT_NE(gif->SColorMap, nullptr);
  EXPECT_EQ(gif->SColorMap->ColorCount, 128);
  const GifColorType white = gif->SColorMap->Colors[65];
  EXPECT_EQ(white.Red + white.Green + white.Blue, 3 * 255);
  EXPECT_TRUE(LoopsForever(gif.get()));
  ASSERT_EQ(gif->ImageCount, 7);
  const int delays[] = {100, 50, 10, 10, 10, 10, 100};
  for (int i = 0; i < 7; ++i) {
    GraphicsControlBlock gcb{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), i, &gcb), GIF_OK);
    EXPECT_EQ(gcb.DelayTime, delays[i]) << "frame " << i + 1;
    EXPECT_EQ(gcb.TransparentColor, 65) << "frame " << i + 1;
  }
}

TEST(WangwangBadge, HasRoundedCornersAndAClearTopRow) {
  const DecodedGif decoded("wangwang.gif");
  const Gif& gif = decoded.gif;
  ASSERT_NE(gif, nullptr);
  for (int frame = 0; frame < gif->ImageCount; ++frame) {
    const GifByteType* px = gif->SavedImages[frame].RasterBits;
    auto clear = [&](int x, int y) { return px[y * 77 + x] == 65; };
    for (int y : {1, 18}) {
      EXPECT_TRUE(clear(0, y) && clear(1, y) && clear(75, y) && clear(76, y)) << "row " << y;
      EXPECT_FALSE(clear(2, y) || clear(74, y)) << "row " << y;
    }
    for (int y : {2, 17}) {
      EXPECT_TRUE(clear(0, y) && clear(76, y)) << "row " << y;
      EXPECT_FALSE(clear(1, y) || clear(75, y)) << "row " << y;
    }
    int opaqueInRow0 = 0;
    for (int x = 0; x < 77; ++x) opaqueInRow0 += clear(x, 0) ? 0 : 1;
    EXPECT_LE(opaqueInRow0, 3) << "only the tuft reaches row 0";
    for (int y = 3; y <= 16; ++y) EXPECT_FALSE(clear(0, y) || clear(76, y));
  }
}

TEST(WangwangBadge, TheFourthAndSixthFramesLiftTheMascot) {
  const DecodedGif decoded("wangwang.gif");
  const Gif& gif = decoded.gif;
  ASSERT_NE(gif, nullptr);
  auto mascot = [&](int frame, int lift) {
    std::vector<GifByteType> out;
    const GifByteType* px = gif->SavedImages[frame].RasterBits;
    for (int y = 7; y < 15; ++y) {  // inside the ball, whatever the background
      for (int x = 5; x < 14; ++x) out.push_back(px[(y - lift) * 77 + x]);
    }
    return out;
  };
  EXPECT_EQ(mascot(3, 2), mascot(0, 0));
  EXPECT_EQ(mascot(5, 2), mascot(0, 0));
  EXPECT_NE(mascot(3, 0), mascot(0, 0));
  for (int frame : {1, 2, 4, 6}) EXPECT_EQ(mascot(frame, 0), mascot(0, 0));
}

TEST(QqBadge, IsOneOpaqueFrameWithItsBorder) {
  const DecodedGif decoded("qq.gif");
  const Gif& gif = decoded.gif;
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->SWidth, 74);
  EXPECT_EQ(gif->SHeight, 23);
  ASSERT_EQ(gif->ImageCount, 1);
  GraphicsControlBlock gcb{};
  if (DGifSavedExtensionToGCB(gif.get(), 0, &gcb) == GIF_OK) {
    EXPECT_EQ(gcb.TransparentColor, NO_TRANSPARENT_COLOR);
  }
  const GifByteType* px = gif->SavedImages[0].RasterBits;
  auto colour = [&](int x, int y) {
    const GifColorType c = gif->SColorMap->Colors[px[y * 74 + x]];
    return (c.Red << 16) | (c.Green << 8) | c.Blue;
  };
  EXPECT_EQ(colour(0, 0), 0xFFFFFF);
  EXPECT_EQ(colour(73, 22), 0xFFFFFF);
  EXPECT_EQ(colour(1, 0), 0x3366CC);
  EXPECT_EQ(colour(0, 11), 0x3366CC);
  EXPECT_EQ(colour(30, 1), 0xFFCC00);
  EXPECT_EQ(colour(1, 11), 0xFFCC00);
  EXPECT_EQ(colour(30, 21), 0xFF9900);
  EXPECT_EQ(colour(4, 3), 0xFFCC00);  // the tile
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(WindowIcon, HoldsFourOpaque24BitImagesOfAYellowGlyphOnBlack) {
  const auto ico = ReadAsset("mivello.ico");
  ASSERT_GE(ico.size(), 6u + 4 * 16);
  EXPECT_EQ(ico[2] | (ico[3] << 8), 1);  // an icon, not a cursor
  ASSERT_EQ(ico[4] | (ico[5] << 8), 4);
  const int sizes[] = {16, 32, 48, 64};
  for (int i = 0; i < 4; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const int size = sizes[i];
    EXPECT_EQ(ico[entry], size);
    EXPECT_EQ(ico[entry + 1], size);
    EXPECT_EQ(ico[entry + 6] | (ico[entry + 7] << 8), 24);
    const std::size_t dib = Le32(ico, entry + 12);
    ASSERT_LE(dib + Le32(ico, entry + 8), ico.size());
    EXPECT_EQ(Le32(ico, dib + 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(Le32(ico, dib + 8), static_cast<std::uint32_t>(2 * size));
    EXPECT_EQ(ico[dib + 14], 24);

    const std::size_t row = (static_cast<std::size_t>(size) * 3 + 3) / 4 * 4;
    const std::size_t pixels = dib + 40;
    const std::size_t mask = pixels + row * static_cast<std::size_t>(size);
    const std::size_t maskBytes =
        ((static_cast<std::size_t>(size) + 31) / 32) * 4 * static_cast<std::size_t>(size);
    for (std::size_t b = 0; b < maskBytes; ++b) ASSERT_EQ(ico[mask + b], 0) << "opaque, size " << size;

    int ink = 0, yellow = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const std::size_t p = pixels + static_cast<std::size_t>(y) * row + static_cast<std::size_t>(x) * 3;
        const int b = ico[p], g = ico[p + 1], r = ico[p + 2];
        if (r + g + b == 0) continue;
        ++ink;
        if (r > 2 * b && g > 2 * b && std::abs(r - g) < 40) ++yellow;
      }
    }
    const std::size_t corner = pixels;  // bottom-left pixel
    EXPECT_EQ(ico[corner] + ico[corner + 1] + ico[corner + 2], 0) << "black background, size " << size;
    EXPECT_GT(ink, size * size / 8) << "the glyph fills the square, size " << size;
    EXPECT_GT(yellow * 2, ink) << "yellow majority, size " << size;
  }
}

}  // namespace

namespace mivello::pictures {
namespace {

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

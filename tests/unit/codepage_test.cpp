// Code page 936, the encoding of the stored form's texts, through the C
// library on Linux and the system's tables on Windows: both must agree.
#include "runtime/system/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace mivello {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Encoded {
  const char* proves;
  String text;
  Bytes bytes;
};

void PrintTo(const Encoded& row, std::ostream* os) { *os << row.proves; }

class CodePage936Both : public testing::TestWithParam<Encoded> {};

TEST_P(CodePage936Both, WaysGiveEachOther) {
  EXPECT_EQ(ToCodePage936(GetParam().text), GetParam().bytes) << GetParam().proves;
  EXPECT_EQ(FromCodePage936(GetParam().bytes), GetParam().text) << GetParam().proves;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePage936Both,
    testing::Values(
        Encoded{"nothing", u"", {}},
        Encoded{"ASCII stays one byte each", u"Mivello 9", {'M', 'i', 'v', 'e', 'l', 'l', 'o', ' ', '9'}},
        Encoded{"a caption", u"原价：", {0xD4, 0xAD, 0xBC, 0xDB, 0xA3, 0xBA}},
        Encoded{"a full-width dash among ASCII", u"o－B", {'o', 0xA3, 0xAD, 'B'}},
        // Two-byte codes whose second byte is below 0x80: GBK's own range.
        Encoded{"a character beyond GB 2312", u"丂", {0x81, 0x40}}));

TEST(CodePage936, NoEncodingIsNoText) {
  EXPECT_EQ(ToCodePage936(u"한"), std::nullopt) << "a Hangul syllable";
  EXPECT_EQ(ToCodePage936(u"\U00020000"), std::nullopt) << "beyond the Basic Multilingual Plane";
  EXPECT_EQ(ToCodePage936(std::u16string(1, u'\xD800')), std::nullopt) << "half a surrogate pair";
}

TEST(CodePage936, BytesOfNoCharacterAreNoText) {
  EXPECT_EQ(FromCodePage936(Bytes{'a', 0x81}), std::nullopt) << "a lead byte at the end";
  EXPECT_EQ(FromCodePage936(Bytes{0x81, 0x7F}), std::nullopt) << "a lead byte before no trail byte";
}

}  // namespace
}  // namespace mivello

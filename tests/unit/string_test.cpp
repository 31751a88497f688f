#include "runtime/string.h"

#include <gtest/gtest.h>

namespace mivello {
namespace {

TEST(StringTest, RoundTripsChineseAndAstralText) {
  const std::string utf8 = "计算 Mivello－BY 😀";
  const String text = FromUtf8(utf8);
  EXPECT_EQ(text, u"计算 Mivello－BY 😀");
  EXPECT_EQ(ToUtf8(text), utf8);
}

TEST(StringTest, IllFormedInputBecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b"),
            u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xE8\xAE"), u"\uFFFD");               // cut short
  EXPECT_EQ(FromUtf8("\xC0\x80"), u"\uFFFD");               // overlong
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD");           // a surrogate
  EXPECT_EQ(ToUtf8(String(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}

}  // namespace
}  // namespace mivello

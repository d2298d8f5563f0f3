#include "zephui/Text.h"

#include <gtest/gtest.h>

#include <climits>

using ZephUI::ParseDecimal;
using ZephUI::ParseHex;
using ZephUI::ToUtf16;
using ZephUI::ToUtf8;

TEST(TextConversion, RoundTripsEveryPlaneIncludingSurrogatePairs) {
  const std::u16string text = u"A\u00E9\u4E2D\U0001F600z";
  EXPECT_EQ(ToUtf8(text), "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z");
  EXPECT_EQ(ToUtf16(ToUtf8(text)), text);
}

TEST(TextConversion, InvalidInputBecomesReplacementCharacters) {
  // Truncated sequence, stray continuation byte, overlong '/', encoded surrogate.
  EXPECT_EQ(ToUtf16("a\xE4\xB8"), u"a\uFFFD\uFFFD");
  EXPECT_EQ(ToUtf16("\x80x"), u"\uFFFDx");
  EXPECT_EQ(ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  // An unpaired surrogate in UTF-16 cannot be written as UTF-8.
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(TextNumbers, DecimalReadsLeadingDigitsLikeTheCLibrary) {
  EXPECT_EQ(ParseDecimal(u"1033"), 1033);
  EXPECT_EQ(ParseDecimal(u"  -12abc"), -12);
  EXPECT_EQ(ParseDecimal(u"abc"), 0);
  EXPECT_EQ(ParseDecimal(u""), 0);
  EXPECT_EQ(ParseDecimal(u"0x1F"), 0);  // hexadecimal is not decimal
  EXPECT_EQ(ParseDecimal(std::string_view("+7")), 7);
  EXPECT_EQ(ParseDecimal(u"99999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseDecimal(u"-99999999999999999999"), INT_MIN);
}

TEST(TextNumbers, HexAcceptsEitherCaseWithOrWithoutPrefix) {
  for (const char16_t* text : {u"0x1A2B", u"0X1a2b", u"1a2b", u"1A2B", u" 0x1A2Bzz"}) {
    EXPECT_EQ(ParseHex(text), 0x1A2B) << ZephUI::ToUtf8(text);
  }
  EXPECT_EQ(ParseHex(u"0x"), 0);
  EXPECT_EQ(ParseHex(u"zz"), 0);
  EXPECT_EQ(ParseHex(u"104"), 0x104);
}

TEST(TextNumbers, DecimalTextFormatsNegativeAndLargeValues) {
  EXPECT_EQ(ZephUI::DecimalText(-42), u"-42");
  EXPECT_EQ(ZephUI::DecimalText(2052), u"2052");
}

#include "catalogue/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempFolder.h"
#include "zephui/Text.h"

namespace {

const std::string kSample = "<?xml version=\"1.0\"?>\n<root><item name=\"Caf\xC3\xA9 \xE4\xB8\xAD\" n=\"7\"/></root>";

std::string Utf16Bytes(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
    bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return bytes;
}

std::u16string ItemName(XmlDocument& xml) {
  if (!xml.FindSibling(u"root") || !xml.Enter() || !xml.FindSibling(u"item")) return u"<not found>";
  return xml.Attribute(u"name");
}

class XmlEncodingTest : public ::testing::Test {
 protected:
  std::u16string LoadName(const std::string& bytes) {
    XmlDocument xml;
    if (!xml.LoadFile(folder_.Write("doc.xml", bytes))) return u"<not loaded>";
    return ItemName(xml);
  }
  testsupport::TempFolder folder_;
};

TEST_F(XmlEncodingTest, EveryMarkedEncodingLoadsLikeUtf8) {
  const std::u16string expected = u"Caf\u00E9 \u4E2D";
  EXPECT_EQ(LoadName(kSample), expected);
  EXPECT_EQ(LoadName("\xEF\xBB\xBF" + kSample), expected);
  EXPECT_EQ(LoadName(Utf16Bytes(ZephUI::ToUtf16(kSample), false)), expected);
  EXPECT_EQ(LoadName(Utf16Bytes(ZephUI::ToUtf16(kSample), true)), expected);
}

TEST_F(XmlEncodingTest, UnmarkedFilesFollowTheDeclarationElseUtf8) {
  EXPECT_EQ(LoadName("<root><item name=\"\xC3\xA9t\xC3\xA9\"/></root>"), u"\u00E9t\u00E9");
  EXPECT_EQ(LoadName("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><root><item name=\"\xE9t\xE9\"/></root>"),
            u"\u00E9t\u00E9");
  EXPECT_EQ(LoadName("<?xml version='1.0' encoding='windows-1252'?><root><item name=\"\x80\"/></root>"), u"\u20AC");
  // UTF-16 without a mark is still recognised by its first character.
  std::string unmarked = Utf16Bytes(u"<root><item name=\"x\"/></root>", false).substr(2);
  EXPECT_EQ(LoadName(unmarked), u"x");
}

TEST_F(XmlEncodingTest, LoadFailsForMissingOrIllFormedFiles) {
  XmlDocument xml;
  EXPECT_FALSE(xml.LoadFile(folder_.Path() + "missing.xml"));
  EXPECT_FALSE(xml.LoadFile(folder_.Path()));  // a folder
  for (const char* bad : {"", "   ", "<?xml version=\"1.0\"?>", "<a>", "<a></b>", "<a/><b/>", "<a/>text<b/>"}) {
    EXPECT_FALSE(xml.LoadFile(folder_.Write("bad.xml", bad))) << bad;
  }
  EXPECT_TRUE(xml.LoadFile(folder_.Write("ok.xml", "<a/>\n trailing text\n")));
}

TEST(XmlCursor, FindSiblingOnlyLooksForwardAndStaysOnFailure) {
  XmlDocument xml;
  ASSERT_TRUE(xml.SetText(u"<s><b v=\"1\"/><c v=\"2\"/><b v=\"3\"/></s>"));
  ASSERT_TRUE(xml.FindSibling(u"s"));
  ASSERT_TRUE(xml.Enter());
  EXPECT_TRUE(xml.FindSibling(u"c"));
  EXPECT_FALSE(xml.FindSibling(u"x"));
  EXPECT_EQ(xml.Attribute(u"v"), u"2");  // still on c
  EXPECT_TRUE(xml.FindSibling(u"b"));
  EXPECT_EQ(xml.Attribute(u"v"), u"3");  // the b after c, not the first
  EXPECT_FALSE(xml.FindSibling(u"b"));
  EXPECT_FALSE(xml.FindSibling(u"c"));
}

TEST(XmlCursor, EnterAndLeaveMoveBetweenScopes) {
  XmlDocument xml;
  ASSERT_TRUE(xml.SetText(u"<a id=\"a\"><b id=\"b\"><c id=\"c\"/></b><d/></a>"));
  EXPECT_FALSE(xml.Enter());  // nothing current yet
  EXPECT_FALSE(xml.Leave());  // already at the top
  EXPECT_EQ(xml.Attribute(u"id"), u"");
  ASSERT_TRUE(xml.FindSibling(u"a") && xml.Enter() && xml.FindSibling(u"b") && xml.Enter());
  EXPECT_FALSE(xml.FindSibling(u"d"));  // d is not in b's scope
  EXPECT_TRUE(xml.FindSibling(u"c"));
  EXPECT_TRUE(xml.Leave());
  EXPECT_EQ(xml.Attribute(u"id"), u"b");
  EXPECT_TRUE(xml.FindSibling(u"d"));  // searching on after b
  EXPECT_TRUE(xml.Leave());
  EXPECT_EQ(xml.Attribute(u"id"), u"a");
  EXPECT_FALSE(xml.Leave());
}

TEST(XmlCursor, AttributeDecodesEveryKindOfReference) {
  XmlDocument xml;
  ASSERT_TRUE(xml.SetText(
      u"<a v=\"&lt;&amp;&gt;&apos;&quot;|&#65;&#x42;&#X43;|&eacute;&nbsp;&euro;|&bogus;&#0;&#xD800;&amp;nbsp;\"/>"));
  ASSERT_TRUE(xml.FindSibling(u"a"));
  EXPECT_EQ(xml.Attribute(u"v"), u"<&>'\"|ABC|\u00E9\u00A0\u20AC|&bogus;&#0;&#xD800;&nbsp;");
  EXPECT_EQ(xml.Attribute(u"missing"), u"");
  EXPECT_EQ(ZephUI::ParseDecimal(xml.Attribute(u"missing")), 0);
}

TEST(XmlLimits, DeepNestingNeitherCrashesNorExhaustsTheStack) {
  constexpr int kDepth = 200000;
  std::string text;
  for (int i = 0; i < kDepth; ++i) text += "<n>";
  for (int i = 0; i < kDepth; ++i) text += "</n>";
  XmlDocument xml;
  ASSERT_TRUE(xml.LoadBytes(text));
  int depth = 0;
  while (xml.FindSibling(u"n") && xml.Enter()) ++depth;
  EXPECT_EQ(depth, kDepth);
  // Every level but the innermost writes <n></n>; the innermost <n/>; then the line end.
  EXPECT_EQ(xml.Serialize().size(), 7u * (kDepth - 1) + 4 + 2);
}

TEST(XmlLimits, OversizedInputIsRefusedBeforeParsing) {
  XmlDocument xml;
  EXPECT_FALSE(xml.LoadBytes(std::string(XmlDocument::kMaxFileBytes + 1, ' ')));
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "catalogue/XmlDocument.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr char16_t kHeader[] = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(XmlWriting, BuiltDocumentsPutEveryElementOnItsOwnLine) {
  XmlDocument xml;
  ASSERT_TRUE(xml.SetText(kHeader));
  ASSERT_TRUE(xml.AppendSibling(u"profile"));
  ASSERT_TRUE(xml.Enter());
  ASSERT_TRUE(xml.AppendSibling(u"profileinfo"));
  ASSERT_TRUE(xml.SetAttribute(u"name", u"Game"));
  ASSERT_TRUE(xml.AppendSibling(u"keyinfo"));
  ASSERT_TRUE(xml.Enter());
  ASSERT_TRUE(xml.AppendSibling(u"item"));
  ASSERT_TRUE(xml.SetAttribute(u"code", u"1"));
  ASSERT_TRUE(xml.SetAttribute(u"code", u"2"));  // replaces
  ASSERT_TRUE(xml.Leave());
  ASSERT_TRUE(xml.AppendSibling(u"macro"));
  EXPECT_EQ(xml.Serialize(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<profile>\r\n"
            "<profileinfo name=\"Game\"/>\r\n"
            "<keyinfo>\r\n"
            "<item code=\"2\"/>\r\n"
            "</keyinfo>\r\n"
            "<macro/>\r\n"
            "</profile>\r\n");
}

TEST(XmlWriting, AppendWithoutCurrentGoesAfterTheLastElement) {
  XmlDocument xml;
  ASSERT_TRUE(xml.SetText(u"<r>\r\n<a/>\r\n<b/>\r\n</r>"));
  ASSERT_TRUE(xml.FindSibling(u"r") && xml.Enter());
  ASSERT_TRUE(xml.AppendSibling(u"c"));
  ASSERT_TRUE(xml.FindSibling(u"a") == false);  // c is current and a lies before it
  EXPECT_EQ(xml.Serialize(), "<r>\r\n<a/>\r\n<b/>\r\n<c/>\r\n</r>\r\n");
}

TEST(XmlWriting, EditsNeedACurrentElementAndValidNames) {
  XmlDocument xml;
  ASSERT_TRUE(xml.SetText(kHeader));
  EXPECT_FALSE(xml.SetAttribute(u"name", u"x"));
  EXPECT_FALSE(xml.AppendSibling(u""));
  EXPECT_FALSE(xml.AppendSibling(u"bad name"));
  ASSERT_TRUE(xml.AppendSibling(u"ok"));
  EXPECT_FALSE(xml.SetAttribute(u"a=\"b", u"x"));
}

TEST(XmlWriting, SpecialCharactersRoundTripThroughAFile) {
  const std::u16string name = u"Tom & \"Jerry\" <'s> \u00E9\U0001F600";
  testsupport::TempFolder folder;
  XmlDocument out;
  ASSERT_TRUE(out.SetText(kHeader));
  ASSERT_TRUE(out.AppendSibling(u"profile") && out.SetAttribute(u"name", name));
  ASSERT_TRUE(out.SaveFile(folder.Path() + "p.xml"));
  EXPECT_NE(folder.Read("p.xml").find("name=\"Tom &amp; &quot;Jerry&quot; &lt;&apos;s&gt; \xC3\xA9"), std::string::npos);
  EXPECT_NE(folder.Read("p.xml").substr(0, 3), "\xEF\xBB\xBF");  // no byte-order mark
  XmlDocument in;
  ASSERT_TRUE(in.LoadFile(folder.Path() + "p.xml"));
  ASSERT_TRUE(in.FindSibling(u"profile"));
  EXPECT_EQ(in.Attribute(u"name"), name);
}

TEST(XmlWriting, LoadedDocumentsAreWrittenBackFaithfully) {
  XmlDocument xml;
  ASSERT_TRUE(xml.LoadBytes("<?xml version=\"1.0\"?>\n<!-- note --><r a='say \"hi\"' b=\"&amp;\"><![CDATA[x<y]]>text</r>"));
  EXPECT_EQ(xml.Serialize(),
            "<?xml version=\"1.0\"?>\r\n<!-- note -->\r\n<r a=\"say &quot;hi&quot;\" b=\"&amp;\"><![CDATA[x<y]]>text</r>\r\n");
  testsupport::TempFolder folder;
  EXPECT_FALSE(xml.SaveFile(folder.Path() + "missing/dir/x.xml"));
}

}  // namespace

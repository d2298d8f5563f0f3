// Checks the product data shipped beside the program against the rules its
// readers rely on: element order, numbers within range, texts that exist.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "catalogue/Catalogue.h"
#include "catalogue/XmlDocument.h"
#include "zephui/Text.h"

namespace {

std::u16string Text(int number) { return ReadLanguageText(GetModuleFolder(), 1033, kDialogSection, number); }

TEST(ProductData, CatalogueServesTheT40InThreeModes) {
  EXPECT_EQ(ReadDeviceName(GetModuleFolder()), u"Pelmora keyboard T40");
  Catalogue catalogue;
  ASSERT_TRUE(catalogue.Read(GetModuleFolder(), {}));
  const CatalogueEntry* t40 = catalogue.FindKeyboard(201);
  ASSERT_NE(t40, nullptr);
  std::set<int> modes;
  for (const CatalogueEntry& row : catalogue.Connections()) {
    if (row.deviceType != 201) continue;
    modes.insert(row.mode);
    EXPECT_NE(row.vendorId, 0);
    EXPECT_FALSE(row.interfacePattern.empty());
  }
  EXPECT_EQ(modes, (std::set<int>{0, 1, 2}));
  bool familyA = false;
  for (const CatalogueEntry& k : catalogue.Keyboards()) familyA |= k.deviceType >= 1 && k.deviceType <= 200;
  EXPECT_TRUE(familyA) << "a family A model is needed to exercise both command families";
  EXPECT_FALSE(catalogue.UpgradeUrl().empty());
  EXPECT_NE(catalogue.UpgradeUrl().find(u".example/"), std::u16string::npos);
}

// Walks one layout file the way the layout loader does and checks each key.
void CheckLayout(const std::u16string& layoutName, std::set<int>& modeAttributes) {
  XmlDocument xml;
  ASSERT_TRUE(xml.LoadFile(GetModuleFolder() + "layouts/" + ZephUI::ToUtf8(layoutName) + ".xml"));
  ASSERT_TRUE(xml.FindSibling(u"device.info") && xml.Enter());
  for (const char16_t* element : {u"menu", u"function", u"firmware", u"light"}) {
    ASSERT_TRUE(xml.FindSibling(element)) << ZephUI::ToUtf8(element) << " missing or out of order";
  }
  xml.Enter();
  while (xml.FindSibling(u"info")) {
    modeAttributes.insert(ZephUI::ParseDecimal(xml.Attribute(u"attribute")));
    EXPECT_FALSE(Text(ZephUI::ParseDecimal(xml.Attribute(u"name"))).empty()) << "mode name text missing";
  }
  xml.Leave();
  ASSERT_TRUE(xml.FindSibling(u"Keyboard") && xml.Enter() && xml.FindSibling(u"KeyItems") && xml.Enter());
  std::set<int> keyIndexes, lightIndexes, codes;
  while (xml.FindSibling(u"key")) {
    const std::u16string rowCol = xml.Attribute(u"row_col");
    ASSERT_GE(rowCol.size(), 3u);
    EXPECT_LT(rowCol[0] - u'0', 8);
    EXPECT_LT(ZephUI::ParseDecimal(rowCol.substr(rowCol.size() == 3 ? 2 : rowCol.size() - 2)), 32);
    EXPECT_TRUE(keyIndexes.insert(ZephUI::ParseDecimal(xml.Attribute(u"key_index"))).second);
    EXPECT_TRUE(lightIndexes.insert(ZephUI::ParseDecimal(xml.Attribute(u"light_index"))).second);
    EXPECT_TRUE(codes.insert(ZephUI::ParseHex(xml.Attribute(u"code"))).second);
    EXPECT_FALSE(xml.Attribute(u"name").empty());
  }
  EXPECT_GT(codes.size(), 60u);
}

TEST(ProductData, EveryLayoutLoadsInReaderOrderAndItsModesCoverEveryControlGroup) {
  Catalogue catalogue;
  ASSERT_TRUE(catalogue.Read(GetModuleFolder(), {}));
  std::set<int> attributes;
  for (const CatalogueEntry& keyboard : catalogue.Keyboards()) CheckLayout(keyboard.layoutName, attributes);
  int flags = 0;
  for (int a : attributes) flags |= a;
  EXPECT_EQ(flags & 0xFFF, 0xFFF);
}

TEST(ProductData, LanguageFileHasTheTextsTheShellUses) {
  EXPECT_EQ(Text(65), u"Profile");
  for (int number : {1, 2, 5, 10, 11, 20, 101, 715}) EXPECT_FALSE(Text(number).empty()) << number;
}

}  // namespace

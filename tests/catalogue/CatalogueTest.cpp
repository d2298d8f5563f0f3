#include "catalogue/Catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

using ::testing::InSequence;
using ::testing::StrictMock;

class MockDeviceList : public CatalogueDeviceList {
 public:
  MOCK_METHOD(void, AddDevice, (const std::u16string&, int), (override));
};
class MockSupported : public CatalogueSupportedDevices {
 public:
  MOCK_METHOD(void, AddSupportedDevice, (int, int, const std::u16string&, int, int, const std::u16string&), (override));
};
class MockLabels : public CatalogueLabels {
 public:
  MOCK_METHOD(void, SetVersionLabel, (const std::u16string&), (override));
  MOCK_METHOD(void, SetCopyrightLabel, (const std::u16string&), (override));
};

class CatalogueTest : public ::testing::Test {
 protected:
  bool Read(const std::string& body, const CatalogueTargets& targets = {}) {
    folder_.Write("config.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>" + body + "</config>");
    return catalogue_.Read(folder_.Path(), targets);
  }
  testsupport::TempFolder folder_;
  Catalogue catalogue_;
};

TEST_F(CatalogueTest, KeyboardWithThreeModesGivesOneKeyboardAndThreeConnectionRows) {
  StrictMock<MockDeviceList> list;
  StrictMock<MockSupported> supported;
  {
    InSequence order;
    EXPECT_CALL(list, AddDevice(std::u16string(u"Board"), 201));
    EXPECT_CALL(supported, AddSupportedDevice(0x1209, 0x0001, std::u16string(u"Wired"), 201, 0, std::u16string(u"p0")));
    EXPECT_CALL(supported, AddSupportedDevice(0x1209, 0x0002, std::u16string(u""), 201, 1, std::u16string(u"p1")));
    EXPECT_CALL(supported, AddSupportedDevice(0x1209, 0x0003, std::u16string(u"BT"), 201, 2, std::u16string(u"p2")));
  }
  ASSERT_TRUE(Read(R"(<device.info><keyboard name="Board" device_type="201" device_info="L">
      <mode value="0" desc="usb" vid="0x1209" pid="0x0001" product_name="Wired" hid_interface="p0"/>
      <mode value="1" vid="1209" pid="0002" hid_interface="p1"/>
      <mode value="2" vid="0X1209" pid="3" product_name="BT" hid_interface="p2"/>
    </keyboard></device.info>)",
                   CatalogueTargets{&list, &supported, nullptr}));
  ASSERT_EQ(catalogue_.Keyboards().size(), 1u);
  EXPECT_EQ(catalogue_.Keyboards()[0].layoutName, u"L");
  EXPECT_EQ(catalogue_.Keyboards()[0].vendorId, 0);
  ASSERT_EQ(catalogue_.Connections().size(), 3u);
  for (const CatalogueEntry& row : catalogue_.Connections()) {
    EXPECT_EQ(row.deviceType, 201);
    EXPECT_EQ(row.layoutName, u"L");
    EXPECT_EQ(row.present, 0);
  }
  EXPECT_EQ(catalogue_.Connections()[0].description, u"usb");
  EXPECT_EQ(catalogue_.Connections()[1].description, u"");  // not carried over from the previous mode
}

TEST_F(CatalogueTest, SameDeviceTypeTwiceListsBothAndLookupTakesTheFirst) {
  ASSERT_TRUE(Read(R"(<device.info><keyboard name="First" device_type="201"/><keyboard name="Second" device_type="201"/>
      <keyboard name="Hex" device_type="0xC9"/></device.info>)"));
  ASSERT_EQ(catalogue_.Keyboards().size(), 3u);
  ASSERT_NE(catalogue_.FindKeyboard(201), nullptr);
  EXPECT_EQ(catalogue_.FindKeyboard(201)->name, u"First");
  EXPECT_EQ(catalogue_.Keyboards()[2].deviceType, 0);  // device types are decimal
  EXPECT_EQ(catalogue_.FindKeyboard(999), nullptr);
  EXPECT_TRUE(catalogue_.Connections().empty());
}

TEST_F(CatalogueTest, SoftwareEntriesAreFoundOnlyInFileOrder) {
  StrictMock<MockLabels> labels;
  EXPECT_CALL(labels, SetVersionLabel(std::u16string(u"Ver: 1.2.3")));
  EXPECT_CALL(labels, SetCopyrightLabel(std::u16string(u"(c) Us")));
  ASSERT_TRUE(Read(R"(<software name="Dev" version="1.2.3"><store url="s"/><website url="w"/><upgrade url="u"/>
      <copyright info="(c) Us"/></software>)",
                   CatalogueTargets{nullptr, nullptr, &labels}));
  EXPECT_EQ(catalogue_.WebsiteUrl(), u"w");
  EXPECT_EQ(catalogue_.StoreUrl(), u"");  // it stands before website
  EXPECT_EQ(catalogue_.UpgradeUrl(), u"u");
  EXPECT_EQ(catalogue_.Copyright(), u"(c) Us");
}

TEST_F(CatalogueTest, MissingOrBrokenFileEmptiesTheTablesAndKeepsTheRest) {
  StrictMock<MockLabels> labels;
  EXPECT_CALL(labels, SetVersionLabel(std::u16string(u"Ver: 9")));
  ASSERT_TRUE(Read(R"(<device.info><keyboard name="K" device_type="1"/></device.info><software version="9"/>)",
                   CatalogueTargets{nullptr, nullptr, &labels}));
  EXPECT_FALSE(Read("<device.info>", CatalogueTargets{nullptr, nullptr, &labels}));  // no further label calls
  EXPECT_TRUE(catalogue_.Keyboards().empty());
  EXPECT_EQ(catalogue_.SoftwareVersion(), u"9");
}

TEST_F(CatalogueTest, KeyboardWithoutModesIsListedButNeverServed) {
  StrictMock<MockSupported> supported;
  ASSERT_TRUE(Read(R"(<device.info><keyboard name="Lonely" device_type="5"/></device.info>)",
                   CatalogueTargets{nullptr, &supported, nullptr}));
  EXPECT_EQ(catalogue_.Keyboards().size(), 1u);
  EXPECT_TRUE(catalogue_.Connections().empty());
}

TEST_F(CatalogueTest, DeviceNameReaderTakesOnlyTheSoftwareName) {
  Read(R"(<device.info/><software name="Dev &amp; Co"/>)");
  EXPECT_EQ(ReadDeviceName(folder_.Path()), u"Dev & Co");
  folder_.Write("config.xml", "<other><software name=\"x\"/></other>");
  EXPECT_EQ(ReadDeviceName(folder_.Path()), u"");
}

}  // namespace

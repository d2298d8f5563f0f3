// The C API as product code sees it: enumeration, open and close, the return
// values of transfers, and what happens to handles when a device goes away.
#include <cwchar>
#include <memory>
#include <string>

#include "tests/sim/FamilyBFirmware.h"
#include "tests/simtests/SimFixture.h"

namespace {

using hidsim::Bytes;
using hidsim::FamilyBFirmware;
using hidsim::FrameKind;

class HidapiSim : public SimFixture {};

TEST_F(HidapiSim, EnumerationListsEveryInterfaceInPlugOrderWithItsFields) {
  auto fw = std::make_shared<FamilyBFirmware>();
  bus_.PlugKeyboard(0x1209, 0x0001, fw, 2);
  hidsim::InterfaceSpec other{"/dev/other", 0x046D, 0xC077, 0x0111, 0x0001, 0x0002, 0, L"Mouse"};
  ASSERT_GT(bus_.Plug(other, nullptr), 0);

  hid_device_info* all = hid_enumerate(0, 0);
  ASSERT_NE(all, nullptr);
  std::vector<hid_device_info*> nodes;
  for (hid_device_info* n = all; n; n = n->next) nodes.push_back(n);
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(nodes[0]->interface_number, 0);
  EXPECT_EQ(nodes[0]->usage_page, 0x0001);
  EXPECT_EQ(nodes[1]->interface_number, 2);
  EXPECT_EQ(nodes[1]->usage_page, 0xFF01);
  EXPECT_EQ(nodes[1]->usage, 1);
  EXPECT_EQ(nodes[1]->vendor_id, 0x1209);
  EXPECT_EQ(nodes[1]->product_id, 0x0001);
  EXPECT_EQ(nodes[2]->interface_number, 3);
  EXPECT_STREQ(nodes[3]->path, "/dev/other");
  EXPECT_EQ(nodes[3]->release_number, 0x0111);
  EXPECT_STREQ(nodes[3]->product_string, L"Mouse");
  EXPECT_STREQ(nodes[1]->product_string, L"");
  EXPECT_EQ(nodes[3]->serial_number, nullptr);
  EXPECT_EQ(nodes[3]->manufacturer_string, nullptr);
  hid_free_enumeration(all);

  hid_device_info* only = hid_enumerate(0x1209, 0x0001);
  int count = 0;
  for (hid_device_info* n = only; n; n = n->next) ++count;
  EXPECT_EQ(count, 3);
  hid_free_enumeration(only);
  EXPECT_EQ(hid_enumerate(0x1209, 0x0099), nullptr);
}

TEST_F(HidapiSim, PathsAreUniqueOnTheBus) {
  hidsim::InterfaceSpec spec;
  spec.path = "/dev/hidraw7";
  EXPECT_GT(bus_.Plug(spec, nullptr), 0);
  EXPECT_EQ(bus_.Plug(spec, nullptr), -1);
  // Generated paths step around one a test chose.
  const auto kb = bus_.PlugKeyboard(1, 2, std::make_shared<FamilyBFirmware>());
  EXPECT_NE(bus_.PathOf(kb.keys), bus_.PathOf(kb.vendor));
  EXPECT_FALSE(bus_.PathOf(kb.stream).empty());
}

TEST_F(HidapiSim, OpenAndCloseAreCountedAndUnknownPathsFail) {
  const auto kb = bus_.PlugKeyboard(0x1209, 0x0001, std::make_shared<FamilyBFirmware>());
  hid_device* a = hid_open_path(bus_.PathOf(kb.vendor).c_str());
  hid_device* b = hid_open_path(bus_.PathOf(kb.vendor).c_str());
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(bus_.OpenHandles(), 2);
  EXPECT_EQ(hid_open_path("/dev/nothing"), nullptr);
  EXPECT_NE(std::wstring(hid_error(nullptr)), L"Success");
  hid_close(a);
  hid_close(b);
  hid_close(nullptr);
  EXPECT_EQ(bus_.OpenHandles(), 0);

  hid_device* byIds = hid_open(0x1209, 0x0001, nullptr);
  ASSERT_NE(byIds, nullptr);
  opened_.push_back(byIds);
  EXPECT_EQ(hid_get_device_info(byIds)->interface_number, 0);  // first in plug order
  EXPECT_EQ(hid_open(0x1209, 0x0001, L"SN1"), nullptr);
}

TEST_F(HidapiSim, TransfersReturnTheirLengthAndGetsKeepTheReportId) {
  auto fw = std::make_shared<FamilyBFirmware>();
  fw->SetFirmwareVersion(0x0305);
  const auto kb = bus_.PlugKeyboard(0x1209, 0x0001, fw);
  hid_device* h = Open(kb.vendor);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Write(h, Report({0x00, 0x8B, 4, 0, 0, 1, 2, 3, 4})), 65);
  EXPECT_EQ(Send(h, Feature({0x07, 0xFD})), 8);
  EXPECT_EQ(Get(h), (Bytes{0x07, 0x03, 0x05, 0, 0, 0, 0, 0}));
  EXPECT_STREQ(hid_error(h), L"Success");

  // A short buffer gets the start of the reply.
  unsigned char small[3] = {0x07, 0, 0};
  EXPECT_EQ(hid_get_feature_report(h, small, sizeof small), 3);
  EXPECT_EQ(small[2], 0x05);
  EXPECT_EQ(hid_write(h, small, 0), -1);
}

TEST_F(HidapiSim, FramesRecordTimeInterfaceAndKind) {
  auto fw = std::make_shared<FamilyBFirmware>();
  const auto kb = bus_.PlugKeyboard(0x1209, 0x0001, fw);
  hid_device* h = Open(kb.vendor);
  clock_.SleepMs(16);
  Send(h, Feature({0x07, 0xFD}));
  clock_.SleepMs(16);
  Get(h);
  const auto frames = fw->Frames();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].timeMs, 16u);
  EXPECT_EQ(frames[0].kind, FrameKind::Feature);
  EXPECT_EQ(frames[0].interfaceNumber, 1);
  EXPECT_EQ(frames[1].timeMs, 32u);
  EXPECT_EQ(frames[1].kind, FrameKind::GetFeature);
  EXPECT_EQ(fw->Writes().size(), 1u);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{16, 16}));
  clock_.Advance(5);
  clock_.ClearWaits();
  EXPECT_EQ(clock_.NowMs(), 37u);
  EXPECT_TRUE(clock_.Waits().empty());
}

TEST_F(HidapiSim, HandleToAnUnpluggedDeviceFailsEvenAfterReplug) {
  auto fw = std::make_shared<FamilyBFirmware>();
  const auto kb = bus_.PlugKeyboard(0x1209, 0x0001, fw);
  const std::string path = bus_.PathOf(kb.vendor);
  hid_device* h = Open(kb.vendor);
  ASSERT_NE(h, nullptr);
  bus_.UnplugKeyboard(kb.keys);
  EXPECT_FALSE(bus_.IsPlugged(kb.vendor));
  EXPECT_FALSE(bus_.IsPlugged(kb.stream));
  EXPECT_EQ(Write(h, Report({0x00, 0x8B})), -1);
  EXPECT_NE(std::wstring(hid_error(h)), L"Success");
  EXPECT_EQ(Send(h, Feature({0x07, 0xFD})), -1);
  EXPECT_TRUE(Get(h).empty());
  EXPECT_EQ(hid_get_device_info(h), nullptr);
  EXPECT_TRUE(fw->Frames().empty());

  hidsim::InterfaceSpec again{path, 0x1209, 0x0001, 0x0100, 0xFF01, 1, 1, L""};
  ASSERT_GT(bus_.Plug(again, fw), 0);
  EXPECT_EQ(Send(h, Feature({0x07, 0xFD})), -1);
  hid_device* reopened = hid_open_path(path.c_str());
  ASSERT_NE(reopened, nullptr);
  opened_.push_back(reopened);
  EXPECT_EQ(Send(reopened, Feature({0x07, 0xFD})), 8);
}

TEST_F(HidapiSim, InitAndExitAreCountedAndAFailedInitHidesEveryDevice) {
  const auto kb = bus_.PlugKeyboard(0x1209, 0x0001, std::make_shared<FamilyBFirmware>());
  EXPECT_EQ(hid_init(), 0);
  EXPECT_EQ(hid_exit(), 0);
  EXPECT_EQ(hid_init(), 0);
  EXPECT_EQ(bus_.InitCalls(), 2);
  EXPECT_EQ(bus_.ExitCalls(), 1);

  bus_.SetInitFails(true);
  EXPECT_EQ(hid_init(), -1);
  EXPECT_EQ(hid_enumerate(0, 0), nullptr);
  EXPECT_EQ(Open(kb.vendor), nullptr);
  bus_.Reset();
  EXPECT_EQ(bus_.InitCalls(), 0);
  EXPECT_EQ(hid_init(), 0);
}

}  // namespace

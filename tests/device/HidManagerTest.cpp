#include "device/HidManager.h"

#include <atomic>
#include <thread>

#include "tests/device/DeviceFixture.h"

namespace {

using namespace devicetest;
using hidsim::FamilyAFirmware;
using hidsim::FamilyBFirmware;
using hidsim::FrameKind;

HidManager::Feature ToFeature(const Bytes& b) {
  HidManager::Feature f{};
  std::copy(b.begin(), b.end(), f.begin());
  return f;
}

HidManager::Report ToReport(const Bytes& b) {
  HidManager::Report r{};
  std::copy(b.begin(), b.end(), r.begin());
  return r;
}

// Frames every model understands, so "unexpected" stays meaningful.
const Bytes kVersionRequest = FeatureBytes({0x07, 0xFD});
const Bytes kSelectMode5 = ReportBytes({0x00, 0x88, 0x00, 0x05});
const Bytes kStreamChunk = ReportBytes({0x00, 0xF1, 0x03, 0x00, 0x00, 0x11, 0x22, 0x33});
const HidManager::Data64 kLongLighting = {0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x02, 0x03, 0x04, 0x00, 0x01, 0x02};

// ---------------------------------------------------------------------------
// Scan: which interfaces become entries, which the secondary, which are closed.

class HidManagerScan : public HidFixture {};

TEST_F(HidManagerScan, KeepsOnlyServedVendorInterfacesAndMakesInterface3TheSecondary) {
  Serve(0x0001, kFamilyBType, 0);
  std::shared_ptr<FamilyAFirmware> fw;
  const auto kb = PlugKeyboard(0x0001, fw);
  std::shared_ptr<FamilyAFirmware> other;
  PlugKeyboard(0x0999, other);  // not served
  PlugInterface(0x0001, 0xFF02, 0x0001, 2, fw);  // served ids, other usage page
  PlugInterface(0x0001, 0xFF01, 0x0002, 4, fw);  // served ids, other usage

  Rescan(kFamilyBType);

  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].path, bus_.PathOf(kb.vendor));
  EXPECT_TRUE(hid_->hasSecondary());
  // The entry and the secondary stay open; the plain-keys interface and the
  // other collections were closed again; the unserved keyboard never opened.
  EXPECT_EQ(bus_.OpenHandles(), 2);
  EXPECT_TRUE(other->Frames().empty());

  // Commands go to the vendor interface, stream frames to interface 3.
  EXPECT_TRUE(hid_->writeReport(ToReport(kSelectMode5)));
  EXPECT_TRUE(hid_->writeReportSecondary(ToReport(kStreamChunk)));
  const auto writes = fw->Writes();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].interfaceNumber, 1);
  EXPECT_EQ(writes[1].interfaceNumber, 3);
}

TEST_F(HidManagerScan, EntryFieldsComeFromTheEnumerationAndTheFirstServedRow) {
  Serve(0x0002, kFamilyBType, 2);
  Serve(0x0002, 55, 0);  // same ids again: never consulted
  Serve(0x0003, kFamilyAType, 0);
  auto fwB = Track(std::make_shared<FamilyBFirmware>());
  auto fwA = Track(std::make_shared<FamilyAFirmware>());
  const int wireless = PlugInterface(0x0002, 0xFF01, 0x0001, 1, fwB, 0x0217);
  const int wired = PlugInterface(0x0003, 0xFF01, 0x0001, 2, fwA, 0x0105);

  Rescan(0);

  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].index, 0);
  EXPECT_EQ(entries[0].vendorId, kVendor);
  EXPECT_EQ(entries[0].productId, 0x0002);
  EXPECT_EQ(entries[0].path, bus_.PathOf(wireless));
  EXPECT_EQ(entries[0].releaseNumber, 0x0217);
  EXPECT_EQ(entries[0].deviceType, kFamilyBType);
  EXPECT_EQ(entries[0].mode, 2);
  EXPECT_FALSE(entries[0].wired);
  EXPECT_TRUE(entries[0].productString.empty());

  EXPECT_EQ(entries[1].index, 1);
  EXPECT_EQ(entries[1].productId, 0x0003);
  EXPECT_EQ(entries[1].path, bus_.PathOf(wired));
  EXPECT_EQ(entries[1].releaseNumber, 0x0105);
  EXPECT_EQ(entries[1].deviceType, kFamilyAType);
  EXPECT_EQ(entries[1].mode, 0);
  EXPECT_TRUE(entries[1].wired);
}

TEST_F(HidManagerScan, ServedRowWithProductNameNeverMatchesBecauseStringsAreNotRead) {
  Serve(0x0001, kFamilyBType, 0, u"T40 Board");
  auto fw = Track(std::make_shared<FamilyBFirmware>());
  PlugInterface(0x0001, 0xFF01, 0x0001, 1, fw, 0x0100, L"T40 Board");

  EXPECT_TRUE(hid_->isSupported(kVendor, 0x0001, u"T40 Board"));
  EXPECT_FALSE(hid_->isSupported(kVendor, 0x0001, u"t40 board"));
  EXPECT_FALSE(hid_->isSupported(kVendor, 0x0001, u""));

  Rescan(kFamilyBType);
  std::vector<HidEntryInfo> out;
  EXPECT_FALSE(hid_->listEntries(out));
  EXPECT_EQ(bus_.OpenHandles(), 0);
}

TEST_F(HidManagerScan, EmptyProductNameServesAnyProductString) {
  Serve(0x0001, kFamilyBType, 0);
  EXPECT_TRUE(hid_->isSupported(kVendor, 0x0001, u"Whatever"));
  EXPECT_TRUE(hid_->isSupported(kVendor, 0x0001, u""));
  EXPECT_FALSE(hid_->isSupported(kVendor, 0x0002, u""));
  EXPECT_FALSE(hid_->isSupported(0x1234, 0x0001, u""));
}

TEST_F(HidManagerScan, LaterInterface3ReplacesTheEarlierSecondary) {
  Serve(0x0001, kFamilyAType, 0);
  Serve(0x0002, kFamilyAType, 0);
  std::shared_ptr<FamilyAFirmware> first;
  std::shared_ptr<FamilyAFirmware> second;
  PlugKeyboard(0x0001, first);
  PlugKeyboard(0x0002, second);

  Rescan(kFamilyAType);

  EXPECT_EQ(Entries().size(), 2u);
  EXPECT_EQ(bus_.OpenHandles(), 3);  // two entries and one secondary; the first interface 3 was closed
  EXPECT_TRUE(hid_->writeReportSecondary(ToReport(kStreamChunk)));
  EXPECT_TRUE(first->Writes().empty());
  ASSERT_EQ(second->Writes().size(), 1u);
  EXPECT_EQ(second->Writes()[0].interfaceNumber, 3);
}

TEST_F(HidManagerScan, InterfaceThatCannotBeOpenedIsSkippedUntilTheNextScan) {
  Serve(0x0001, kFamilyBType, 0);
  std::shared_ptr<FamilyBFirmware> fw;
  const auto kb = PlugKeyboard(0x0001, fw);
  bus_.RefuseOpens(kb.vendor, 1);

  Rescan(kFamilyBType);
  std::vector<HidEntryInfo> out;
  EXPECT_FALSE(hid_->listEntries(out));
  EXPECT_TRUE(hid_->hasSecondary());
  EXPECT_EQ(hid_->activeEntryIndex(), -1);

  Rescan(kFamilyBType);
  EXPECT_EQ(Entries().size(), 1u);
  EXPECT_EQ(hid_->activeEntryIndex(), 0);
}

TEST_F(HidManagerScan, FailedLibraryInitialisationFindsNothing) {
  hid_.reset();
  bus_.SetInitFails(true);
  hid_ = std::make_unique<HidManager>(clock_);
  Serve(0x0001, kFamilyBType, 0);
  std::shared_ptr<FamilyBFirmware> fw;
  PlugKeyboard(0x0001, fw);

  Rescan(kFamilyBType);
  std::vector<HidEntryInfo> out;
  EXPECT_FALSE(hid_->listEntries(out));
  EXPECT_FALSE(hid_->hasSecondary());
  EXPECT_EQ(bus_.OpenHandles(), 0);
}

// ---------------------------------------------------------------------------
// Listing, finding, and choosing the interface commands go to.

class HidManagerChoice : public HidFixture {
 protected:
  // Plugs one single-interface keyboard per (product id, type, mode), in order.
  void PlugServed(std::uint16_t productId, int deviceType, int mode) {
    Serve(productId, deviceType, mode);
    auto fw = Track(std::make_shared<FamilyBFirmware>());
    byProduct_.push_back(fw);
    PlugInterface(productId, 0xFF01, 0x0001, 1, fw);
  }
  std::vector<std::shared_ptr<FamilyBFirmware>> byProduct_;
};

TEST_F(HidManagerChoice, ListEntriesFiltersByCurrentDeviceTypeAndFailsOnlyWhenEmpty) {
  std::vector<HidEntryInfo> out;
  EXPECT_FALSE(hid_->listEntries(out));

  PlugServed(0x0001, kFamilyBType, 0);
  PlugServed(0x0002, kFamilyAType, 0);
  PlugServed(0x0003, kFamilyBType, 1);
  Rescan(0);
  out.clear();
  ASSERT_TRUE(hid_->listEntries(out));
  EXPECT_EQ(out.size(), 3u);

  hid_->setCurrentDeviceType(kFamilyBType);
  out.clear();
  ASSERT_TRUE(hid_->listEntries(out));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].productId, 0x0001);
  EXPECT_EQ(out[1].productId, 0x0003);

  hid_->setCurrentDeviceType(kFamilyAType);
  out.clear();
  ASSERT_TRUE(hid_->listEntries(out));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].productId, 0x0002);

  // Entries exist, none of this type: still true, nothing copied.
  hid_->setCurrentDeviceType(250);
  out.clear();
  EXPECT_TRUE(hid_->listEntries(out));
  EXPECT_TRUE(out.empty());
}

TEST_F(HidManagerChoice, FindEntryMatchesIdsAndModeAndNeverANamedProduct) {
  PlugServed(0x0001, kFamilyBType, 1);
  PlugServed(0x0002, kFamilyBType, 0);
  PlugServed(0x0001, kFamilyBType, 2);  // same ids again; the first served row's mode (1) wins
  Rescan(0);

  EXPECT_EQ(hid_->findEntry(kVendor, 0x0001, u"", 1), 0);
  EXPECT_EQ(hid_->findEntry(kVendor, 0x0002, u"", 0), 1);
  EXPECT_EQ(hid_->findEntry(kVendor, 0x0001, u"", 2), -1);
  EXPECT_EQ(hid_->findEntry(kVendor, 0x0001, u"", 0), -1);
  EXPECT_EQ(hid_->findEntry(0x1234, 0x0002, u"", 0), -1);
  EXPECT_EQ(hid_->findEntry(kVendor, 0x0002, u"Board", 0), -1);
}

TEST_F(HidManagerChoice, InterfaceChoicePrefersWiredThenMode1ThenMode2) {
  PlugServed(0x0002, kFamilyBType, 2);
  PlugServed(0x0001, kFamilyBType, 1);
  PlugServed(0x0003, kFamilyBType, 0);
  Rescan(kFamilyBType);

  EXPECT_EQ(hid_->activeEntryIndex(), 2);
  EXPECT_EQ(hid_->activeMode(), 0);
  EXPECT_TRUE(hid_->writeReport(ToReport(ReportBytes({0x00, 0x8B, 0x01, 0x00, 0x00, 0x44}))));
  EXPECT_TRUE(byProduct_[0]->Writes().empty());
  EXPECT_TRUE(byProduct_[1]->Writes().empty());
  EXPECT_EQ(byProduct_[2]->Writes().size(), 1u);
}

TEST_F(HidManagerChoice, WithModes1And2OnlyModeSays2WhileCommandsGoToTheMode1Interface) {
  PlugServed(0x0002, kFamilyBType, 2);
  PlugServed(0x0001, kFamilyBType, 1);
  Rescan(kFamilyBType);

  EXPECT_EQ(hid_->activeMode(), 2);
  EXPECT_EQ(hid_->activeEntryIndex(), 1);
  EXPECT_TRUE(hid_->writeData64(kLongLighting));
  EXPECT_TRUE(byProduct_[0]->Writes().empty());
  ASSERT_TRUE(byProduct_[1]->Lighting().has_value());
  EXPECT_TRUE(byProduct_[1]->Lighting()->longFrame);
}

TEST_F(HidManagerChoice, ModeAndChoiceLookOnlyAtTheCurrentDeviceType) {
  PlugServed(0x0001, kFamilyAType, 0);
  PlugServed(0x0002, kFamilyBType, 1);
  Rescan(kFamilyBType);
  EXPECT_EQ(hid_->activeMode(), 1);
  EXPECT_EQ(hid_->activeEntryIndex(), 1);

  hid_->setCurrentDeviceType(kFamilyAType);
  EXPECT_EQ(hid_->activeMode(), 0);
  EXPECT_EQ(hid_->activeEntryIndex(), 0);

  hid_->setCurrentDeviceType(299);
  EXPECT_EQ(hid_->activeMode(), -1);
  EXPECT_EQ(hid_->activeEntryIndex(), -1);
}

TEST_F(HidManagerChoice, DeviceTypeZeroFindsNothingUnlessAnEntryHasTypeZero) {
  PlugServed(0x0001, kFamilyBType, 0);
  Rescan(0);
  EXPECT_EQ(hid_->activeEntryIndex(), -1);
  EXPECT_EQ(hid_->activeMode(), -1);
  EXPECT_FALSE(hid_->sendFeatureNow(ToFeature(kVersionRequest)));
  EXPECT_TRUE(byProduct_[0]->Frames().empty());

  PlugServed(0x0002, 0, 1);
  Rescan(0);
  EXPECT_EQ(hid_->activeEntryIndex(), 1);
  EXPECT_EQ(hid_->activeMode(), 1);
  EXPECT_TRUE(hid_->sendFeatureNow(ToFeature(kVersionRequest)));
  EXPECT_EQ(byProduct_[1]->Writes().size(), 1u);
}

TEST_F(HidManagerChoice, ChosenInterfaceIsKeptUntilTheDeviceTypeIsSetAgain) {
  PlugServed(0x0001, kFamilyBType, 1);
  Rescan(kFamilyBType);
  ASSERT_EQ(hid_->activeEntryIndex(), 0);

  // A wired interface added by a further scan is not chosen while the choice stands.
  PlugServed(0x0002, kFamilyBType, 0);
  hid_->scan();
  ASSERT_EQ(Entries().size(), 3u);  // the further scan appends what it opens
  EXPECT_EQ(hid_->activeEntryIndex(), 0);

  hid_->setCurrentDeviceType(kFamilyBType);
  EXPECT_EQ(hid_->activeEntryIndex(), 2);
}

// ---------------------------------------------------------------------------
// Transfer primitives: refusals, waits and retries.

class HidManagerTransfer : public HidFixture {
 protected:
  // A served family A keyboard with its stream interface, ready for commands.
  void PlugA() {
    Serve(0x0004, kFamilyAType, 0);
    ids_ = PlugKeyboard(0x0004, fwA_);
    Rescan(kFamilyAType);
  }
  void PlugB() {
    Serve(0x0001, kFamilyBType, 1);
    ids_ = PlugKeyboard(0x0001, fwB_);
    Rescan(kFamilyBType);
  }

  // Every primitive once; the results in a fixed order.
  struct Results {
    bool featureNow;
    int get;
    bool report;
    bool secondary;
    bool data64;
  };
  Results RunEveryPrimitiveButSendFeature() {
    HidManager::Feature buffer{};
    buffer[0] = 0x07;
    return Results{hid_->sendFeatureNow(ToFeature(kVersionRequest)), hid_->getFeature(buffer),
                   hid_->writeReport(ToReport(kSelectMode5)), hid_->writeReportSecondary(ToReport(kStreamChunk)),
                   hid_->writeData64(kLongLighting)};
  }

  hidsim::Bus::KeyboardIds ids_;
  std::shared_ptr<FamilyAFirmware> fwA_;
  std::shared_ptr<FamilyBFirmware> fwB_;
};

TEST_F(HidManagerTransfer, EveryPrimitiveRefusesWhileNotOpen) {
  Serve(0x0004, kFamilyAType, 0);
  PlugKeyboard(0x0004, fwA_);
  hid_->scan();  // open is never set
  hid_->setCurrentDeviceType(kFamilyAType);

  const Results r = RunEveryPrimitiveButSendFeature();
  EXPECT_FALSE(r.featureNow);
  EXPECT_EQ(r.get, -1);
  EXPECT_FALSE(r.report);
  EXPECT_FALSE(r.secondary);
  EXPECT_FALSE(r.data64);
  EXPECT_TRUE(clock_.Waits().empty());  // a refusal is not a failed write: no retry wait
  EXPECT_FALSE(hid_->sendFeature(ToFeature(kVersionRequest)));
  EXPECT_TRUE(fwA_->Frames().empty());
}

TEST_F(HidManagerTransfer, EveryPrimitiveRefusesWithoutAnInterfaceForTheCurrentType) {
  Serve(0x0004, kFamilyAType, 0);
  fwA_ = Track(std::make_shared<FamilyAFirmware>());
  PlugInterface(0x0004, 0xFF01, 0x0001, 1, fwA_);  // no interface 3 either
  Rescan(kFamilyBType);

  const Results r = RunEveryPrimitiveButSendFeature();
  EXPECT_FALSE(r.featureNow);
  EXPECT_EQ(r.get, -1);
  EXPECT_FALSE(r.report);
  EXPECT_FALSE(r.secondary);
  EXPECT_FALSE(r.data64);
  EXPECT_TRUE(clock_.Waits().empty());
  EXPECT_FALSE(hid_->sendFeature(ToFeature(kVersionRequest)));
  EXPECT_TRUE(fwA_->Frames().empty());
}

// The check of open and handle comes first and refuses at once, before the 16 ms wait.
TEST_F(HidManagerTransfer, SendFeatureRefusesAtOnceWithoutItsWait) {
  Serve(0x0004, kFamilyAType, 0);
  PlugKeyboard(0x0004, fwA_);
  hid_->scan();
  hid_->setCurrentDeviceType(kFamilyAType);

  EXPECT_FALSE(hid_->sendFeature(ToFeature(kVersionRequest)));
  EXPECT_TRUE(clock_.Waits().empty()) << "not open: waited " << clock_.NowMs() << " ms before refusing";

  hid_->setOpen(true);
  hid_->setCurrentDeviceType(kFamilyBType);  // no interface of this type
  clock_.ClearWaits();
  EXPECT_FALSE(hid_->sendFeature(ToFeature(kVersionRequest)));
  EXPECT_TRUE(clock_.Waits().empty()) << "no interface: waited before refusing";
  EXPECT_TRUE(fwA_->Frames().empty());
}

TEST_F(HidManagerTransfer, SendFeatureWaits16MsFirstAndAlwaysReportsFailure) {
  PlugA();
  EXPECT_FALSE(hid_->sendFeature(ToFeature(kVersionRequest)));
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{16});
  const auto writes = fwA_->Writes();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].kind, FrameKind::Feature);
  EXPECT_EQ(writes[0].bytes, kVersionRequest);
  EXPECT_EQ(writes[0].timeMs, 16u);
}

TEST_F(HidManagerTransfer, SendFeatureNowDoesNotWaitAndTellsWhetherItWasAccepted) {
  PlugA();
  EXPECT_TRUE(hid_->sendFeatureNow(ToFeature(kVersionRequest)));
  bus_.RefuseFeatureSends(ids_.vendor, 1);
  EXPECT_FALSE(hid_->sendFeatureNow(ToFeature(kVersionRequest)));
  EXPECT_EQ(hid_->lastError(), u"Write refused (simulated)");
  EXPECT_TRUE(clock_.Waits().empty());

  const auto frames = fwA_->Frames();
  ASSERT_EQ(frames.size(), 2u);  // no retry of the refused one
  EXPECT_FALSE(frames[0].refused);
  EXPECT_TRUE(frames[1].refused);
}

TEST_F(HidManagerTransfer, GetFeatureReturnsTheReplyLengthOrMinusOne) {
  PlugA();
  bus_.CannedGetReplies(ids_.vendor, {{0x07, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}, {}});
  HidManager::Feature buffer{};
  buffer[0] = 0x07;
  EXPECT_EQ(hid_->getFeature(buffer), 8);
  EXPECT_EQ(buffer, (HidManager::Feature{0x07, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}));

  EXPECT_EQ(hid_->getFeature(buffer), -1);
  EXPECT_FALSE(hid_->lastError().empty());
  EXPECT_TRUE(clock_.Waits().empty());
}

TEST_F(HidManagerTransfer, WriteReportRetriesOnceAfter10Ms) {
  PlugA();
  bus_.RefuseOutputWrites(ids_.vendor, 1);
  EXPECT_TRUE(hid_->writeReport(ToReport(kSelectMode5)));
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{10});
  const auto frames = fwA_->Frames();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_TRUE(frames[0].refused);
  EXPECT_EQ(frames[0].timeMs, 0u);
  EXPECT_FALSE(frames[1].refused);
  EXPECT_EQ(frames[1].timeMs, 10u);
  EXPECT_EQ(frames[1].bytes, kSelectMode5);
  EXPECT_EQ(fwA_->SelectedMode(), 5);
}

TEST_F(HidManagerTransfer, WriteReportFailsWhenBothWritesAreRefused) {
  PlugA();
  bus_.RefuseOutputWrites(ids_.vendor, 3);
  EXPECT_FALSE(hid_->writeReport(ToReport(kSelectMode5)));
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{10});
  EXPECT_EQ(fwA_->Frames().size(), 2u);  // no third attempt
  EXPECT_TRUE(fwA_->Writes().empty());
  EXPECT_EQ(hid_->lastError(), u"Write refused (simulated)");
}

TEST_F(HidManagerTransfer, WriteReportAcceptedAtOnceDoesNotWait) {
  PlugA();
  EXPECT_TRUE(hid_->writeReport(ToReport(kSelectMode5)));
  EXPECT_TRUE(clock_.Waits().empty());
  EXPECT_EQ(fwA_->Writes().size(), 1u);
}

TEST_F(HidManagerTransfer, WriteData64SendsReportIdZeroAndRetriesAfter32Ms) {
  PlugB();
  bus_.RefuseOutputWrites(ids_.vendor, 1);
  EXPECT_TRUE(hid_->writeData64(kLongLighting));
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{32});
  const auto writes = fwB_->Writes();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].bytes, LongBytes({0xAA, 0x02, 0x03, 0x04, 0x00, 0x01, 0x02}));
  EXPECT_EQ(writes[0].timeMs, 32u);

  bus_.RefuseOutputWrites(ids_.vendor, 2);
  clock_.ClearWaits();
  EXPECT_FALSE(hid_->writeData64(kLongLighting));
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{32});
  EXPECT_EQ(fwB_->Writes().size(), 1u);
}

TEST_F(HidManagerTransfer, WriteReportSecondaryReportsSuccessWheneverInterface3Exists) {
  PlugA();
  bus_.RefuseOutputWrites(ids_.stream, 2);
  EXPECT_TRUE(hid_->writeReportSecondary(ToReport(kStreamChunk)));
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{10});
  const auto frames = fwA_->Frames();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_TRUE(frames[0].refused && frames[1].refused);
  EXPECT_EQ(frames[0].interfaceNumber, 3);
  EXPECT_EQ(frames[1].timeMs, 10u);

  bus_.RefuseOutputWrites(ids_.stream, 1);
  EXPECT_TRUE(hid_->writeReportSecondary(ToReport(kStreamChunk)));
  EXPECT_EQ(fwA_->Writes().size(), 1u);
  EXPECT_EQ(fwA_->StreamTable()[0], 0x11);
}

// hidraw says ENODEV; from then on every transfer refuses at once, until a rescan.
TEST_F(HidManagerTransfer, TransfersToAnUnpluggedKeyboardFailRecordTheErrorAndEndAtOnce) {
  PlugA();
  EXPECT_FALSE(hid_->deviceGone());
  bus_.UnplugKeyboard(ids_.vendor);
  EXPECT_FALSE(hid_->writeReport(ToReport(kSelectMode5)));  // no retry
  EXPECT_EQ(hid_->lastError(), u"No such device");
  EXPECT_TRUE(hid_->deviceGone());
  EXPECT_FALSE(hid_->sendFeature(ToFeature(kVersionRequest)));
  const Results r = RunEveryPrimitiveButSendFeature();
  EXPECT_FALSE(r.featureNow || r.report || r.secondary || r.data64);
  EXPECT_EQ(r.get, -1);
  EXPECT_TRUE(clock_.Waits().empty());

  bus_.PlugKeyboard(kVendor, 0x0004, fwA_);
  Rescan(kFamilyAType);
  EXPECT_FALSE(hid_->deviceGone());
  EXPECT_TRUE(hid_->writeReport(ToReport(kSelectMode5)));
}

// ---------------------------------------------------------------------------
// Closing and the library's lifetime.

class HidManagerLifetime : public HidFixture {};

TEST_F(HidManagerLifetime, CloseAllClosesEveryHandleAndRefusesTransfers) {
  Serve(0x0001, kFamilyAType, 0);
  Serve(0x0002, kFamilyAType, 1);
  std::shared_ptr<FamilyAFirmware> a;
  std::shared_ptr<FamilyAFirmware> b;
  PlugKeyboard(0x0001, a);
  PlugKeyboard(0x0002, b);
  Rescan(kFamilyAType);
  ASSERT_EQ(bus_.OpenHandles(), 3);
  ASSERT_EQ(hid_->activeEntryIndex(), 0);

  hid_->closeAll();
  EXPECT_EQ(bus_.OpenHandles(), 0);
  EXPECT_FALSE(hid_->hasSecondary());
  std::vector<HidEntryInfo> out;
  EXPECT_FALSE(hid_->listEntries(out));
  EXPECT_FALSE(hid_->writeReport(ToReport(kSelectMode5)));
  EXPECT_FALSE(hid_->writeReportSecondary(ToReport(kStreamChunk)));

  // Even with open set again, nothing may reach a closed interface.
  hid_->setOpen(true);
  EXPECT_FALSE(hid_->writeReport(ToReport(kSelectMode5)));
  EXPECT_FALSE(hid_->sendFeatureNow(ToFeature(kVersionRequest)));
  EXPECT_TRUE(a->Frames().empty());
  EXPECT_TRUE(b->Frames().empty());
}

TEST_F(HidManagerLifetime, CloseAllKeepsTheServedTableAndTheDeviceType) {
  Serve(0x0001, kFamilyAType, 0);
  std::shared_ptr<FamilyAFirmware> fw;
  PlugKeyboard(0x0001, fw);
  Rescan(kFamilyAType);
  hid_->closeAll();

  hid_->scan();
  hid_->setOpen(true);
  EXPECT_EQ(Entries().size(), 1u);
  EXPECT_EQ(hid_->activeMode(), 0);
  EXPECT_TRUE(hid_->writeReport(ToReport(kSelectMode5)));
  EXPECT_EQ(fw->Writes().size(), 1u);
}

TEST_F(HidManagerLifetime, DestroyingTheManagerClosesEverythingAndReleasesTheLibrary) {
  Serve(0x0001, kFamilyAType, 0);
  std::shared_ptr<FamilyAFirmware> fw;
  PlugKeyboard(0x0001, fw);
  Rescan(kFamilyAType);
  ASSERT_EQ(bus_.OpenHandles(), 2);
  EXPECT_EQ(bus_.InitCalls(), 1);
  EXPECT_EQ(bus_.ExitCalls(), 0);

  hid_.reset();
  EXPECT_EQ(bus_.OpenHandles(), 0);
  EXPECT_EQ(bus_.InitCalls(), 1);
  EXPECT_EQ(bus_.ExitCalls(), 1);
}

// ---------------------------------------------------------------------------
// Music level packets from one thread while another rescans and keyboards
// come and go. Also run under ThreadSanitizer.

class HidManagerConcurrency : public HidFixture {};

TEST_F(HidManagerConcurrency, MusicLevelsDuringRescansAndHotPlugNeverReachAClosedInterface) {
  Serve(0x0001, kFamilyBType, 0);
  std::shared_ptr<FamilyBFirmware> fw;
  auto kb = PlugKeyboard(0x0001, fw);
  Rescan(kFamilyBType);

  const HidManager::Feature level = {0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0x40, 0x00};
  std::atomic<bool> stop{false};
  std::atomic<bool> audioRunning{false};
  std::atomic<int> accepted{0};
  std::thread audio([&] {
    audioRunning = true;
    while (!stop) {
      if (hid_->sendFeatureNow(level)) ++accepted;
    }
  });
  while (!audioRunning) std::this_thread::yield();
  std::thread worker([&] {
    for (int i = 0; i < 2000; ++i) {
      hid_->closeAll();
      hid_->scan();
      hid_->setOpen(true);
      hid_->setCurrentDeviceType(kFamilyBType);
      std::vector<HidEntryInfo> out;
      hid_->listEntries(out);
      hid_->activeMode();
    }
  });
  for (int i = 0; i < 2000; ++i) {
    bus_.UnplugKeyboard(kb.vendor);
    std::this_thread::yield();
    kb = bus_.PlugKeyboard(kVendor, 0x0001, fw);
  }
  worker.join();
  stop = true;
  audio.join();

  // Every frame that got through is an intact music level packet.
  EXPECT_EQ(static_cast<int>(fw->MusicLevels().size()), accepted.load());
  for (const hidsim::MusicLevelB& m : fw->MusicLevels()) {
    EXPECT_EQ(m.effect, 0x01);
    EXPECT_EQ(m.value, 0x40);
  }

  // The manager is coherent afterwards: a rescan finds the keyboard, a level reaches it.
  Rescan(kFamilyBType);
  EXPECT_EQ(bus_.OpenHandles(), 2);
  const auto before = fw->MusicLevels().size();
  EXPECT_TRUE(hid_->sendFeatureNow(level));
  EXPECT_EQ(fw->MusicLevels().size(), before + 1);
  hid_->closeAll();
  EXPECT_EQ(bus_.OpenHandles(), 0);
}

}  // namespace

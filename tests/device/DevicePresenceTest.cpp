#include "device/DevicePresence.h"

#include "tests/device/DeviceFixture.h"

namespace {

using namespace devicetest;
using hidsim::FamilyBFirmware;

class RecordingView : public PresenceView {
 public:
  void ResetAllState() override { calls.push_back("reset"); }
  void SetDeviceState(int deviceType, int state) override {
    calls.push_back("state " + std::to_string(deviceType) + " " + std::to_string(state));
  }
  std::vector<std::string> calls;
};

class CountingJobs : public PresenceJobs {
 public:
  void DeviceArrived() override { ++arrived; }
  void DeviceRemoved() override { ++removed; }
  int arrived = 0;
  int removed = 0;
};

CatalogueEntry Connection(std::uint16_t productId, int deviceType, int mode, std::u16string pattern,
                          std::u16string productName = u"") {
  CatalogueEntry e;
  e.name = std::move(productName);
  e.deviceType = deviceType;
  e.mode = mode;
  e.vendorId = kVendor;
  e.productId = productId;
  e.interfacePattern = std::move(pattern);
  return e;
}

constexpr char kBluetoothService[] = "00001812-0000-1000-8000-00805F9B34FB";

class DevicePresenceTest : public HidFixture {
 protected:
  // Serves every connection row with the manager, as reading the catalogue does.
  void Build(std::vector<CatalogueEntry> rows) {
    for (const CatalogueEntry& r : rows) {
      hid_->addSupportedDevice(
          SupportedDevice{r.vendorId, r.productId, r.name, r.deviceType, r.mode, r.interfacePattern});
    }
    presence_ = std::make_unique<DevicePresence>(*hid_, std::move(rows));
  }
  hidsim::Bus::KeyboardIds Plug(std::uint16_t productId) {
    std::shared_ptr<FamilyBFirmware> fw;
    return PlugKeyboard(productId, fw);
  }

  void TearDown() override {
    presence_.reset();
    HidFixture::TearDown();
  }

  std::unique_ptr<DevicePresence> presence_;
  RecordingView view_;
  CountingJobs jobs_;
};

// ---------------------------------------------------------------------------
// Rescan.

TEST_F(DevicePresenceTest, RescanMarksTheMatchedRowsAfterResettingTheView) {
  Build({Connection(0x0001, 201, 0, u"VID_1209&PID_0001"), Connection(0x0002, 201, 1, u"VID_1209&PID_0002"),
         Connection(0x0003, 100, 0, u"VID_1209&PID_0003")});
  Plug(0x0001);
  Plug(0x0003);

  presence_->rescan(&view_);

  EXPECT_EQ(view_.calls, (std::vector<std::string>{"reset", "state 201 1", "state 100 1"}));
  EXPECT_TRUE(presence_->interfacesFound());
  EXPECT_TRUE(presence_->keyboardMatched());
  EXPECT_TRUE(presence_->connected(0));
  EXPECT_FALSE(presence_->connected(1));
  EXPECT_TRUE(presence_->connected(2));
  EXPECT_FALSE(presence_->connected(3));  // no such row
}

TEST_F(DevicePresenceTest, RescanReopensEverythingAndLeavesTransfersOpen) {
  Build({Connection(0x0001, 201, 0, u"PID_0001")});
  Plug(0x0001);
  presence_->rescan(&view_);
  presence_->rescan(&view_);
  EXPECT_EQ(bus_.OpenHandles(), 2);  // one vendor entry and interface 3, not twice that

  hid_->setCurrentDeviceType(201);
  EXPECT_TRUE(hid_->sendFeatureNow(HidManager::Feature{0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0x10, 0x00}));
}

TEST_F(DevicePresenceTest, NothingPluggedFindsNoInterfaceAndNoKeyboard) {
  Build({Connection(0x0001, 201, 0, u"PID_0001")});
  presence_->rescan(&view_);
  EXPECT_EQ(view_.calls, std::vector<std::string>{"reset"});
  EXPECT_FALSE(presence_->interfacesFound());
  EXPECT_FALSE(presence_->keyboardMatched());
  EXPECT_FALSE(presence_->connected(0));
}

TEST_F(DevicePresenceTest, RowWithAProductNameNeverMatchesAlthoughItsInterfaceIsOpen) {
  Serve(0x0001, 201, 0);  // served without a name, so the interface opens
  Build({Connection(0x0001, 201, 0, u"PID_0001", u"T40 Board")});
  Plug(0x0001);

  presence_->rescan(&view_);
  EXPECT_TRUE(presence_->interfacesFound());
  EXPECT_FALSE(presence_->keyboardMatched());
  EXPECT_FALSE(presence_->connected(0));
  EXPECT_EQ(view_.calls, std::vector<std::string>{"reset"});
}

TEST_F(DevicePresenceTest, KeyboardInAnotherModeThanItsRowIsNotConnected) {
  Serve(0x0001, 201, 1);  // the manager's first row for these ids says mode 1
  Build({Connection(0x0001, 201, 0, u"PID_0001")});
  Plug(0x0001);

  presence_->rescan(&view_);
  EXPECT_TRUE(presence_->interfacesFound());
  EXPECT_FALSE(presence_->keyboardMatched());
  EXPECT_FALSE(presence_->connected(0));
}

TEST_F(DevicePresenceTest, MatchIsForgottenByTheNextRescanAfterUnplugging) {
  Build({Connection(0x0001, 201, 0, u"PID_0001")});
  const auto kb = Plug(0x0001);
  presence_->rescan(&view_);
  ASSERT_TRUE(presence_->keyboardMatched());

  bus_.UnplugKeyboard(kb.vendor);
  view_.calls.clear();
  presence_->rescan(&view_);
  EXPECT_FALSE(presence_->keyboardMatched());
  EXPECT_FALSE(presence_->interfacesFound());
  EXPECT_EQ(view_.calls, std::vector<std::string>{"reset"});
}

TEST_F(DevicePresenceTest, RescanWorksWithoutAView) {
  Build({Connection(0x0001, 201, 0, u"PID_0001")});
  Plug(0x0001);
  presence_->rescan(nullptr);
  EXPECT_TRUE(presence_->keyboardMatched());
}

// ---------------------------------------------------------------------------
// Connection mode.

TEST_F(DevicePresenceTest, ConnectionModeIsTheActiveModeOfType201) {
  Build({Connection(0x0001, 201, 1, u"PID_0001"), Connection(0x0002, 201, 2, u"PID_0002"),
         Connection(0x0003, 100, 0, u"PID_0003")});
  EXPECT_EQ(presence_->connectionMode(), -1);

  Plug(0x0003);
  presence_->rescan(&view_);
  EXPECT_EQ(presence_->connectionMode(), -1);  // only a keyboard of another type

  Plug(0x0001);
  Plug(0x0002);
  presence_->rescan(&view_);
  EXPECT_EQ(presence_->connectionMode(), 2);
  // It leaves type 201 selected: commands go to the mode 1 interface.
  EXPECT_EQ(hid_->activeEntryIndex(), 1);
}

TEST_F(DevicePresenceTest, ConnectionModeIsWiredWhenAWiredInterfaceIsOpen) {
  Build({Connection(0x0002, 201, 2, u"PID_0002"), Connection(0x0001, 201, 0, u"PID_0001")});
  Plug(0x0002);
  Plug(0x0001);
  presence_->rescan(&view_);
  EXPECT_EQ(presence_->connectionMode(), 0);
}

// ---------------------------------------------------------------------------
// Device notices.

TEST_F(DevicePresenceTest, ArrivalMatchingAPatternQueuesOneArrival) {
  Build({Connection(0x0001, 201, 0, u"VID_1209&PID_0001"), Connection(0x0002, 201, 1, u"VID_1209")});
  presence_->onDeviceChange(DeviceEvent::Arrival, "/devices/HID/VID_1209&PID_0001/hidraw0", jobs_);
  EXPECT_EQ(jobs_.arrived, 1);  // the second row matches too, but the first match stops the search
  EXPECT_EQ(jobs_.removed, 0);

  presence_->onDeviceChange(DeviceEvent::Arrival, "/devices/HID/VID_1209&PID_0002/hidraw1", jobs_);
  EXPECT_EQ(jobs_.arrived, 2);
  presence_->onDeviceChange(DeviceEvent::Arrival, "/devices/HID/VID_04D9&PID_0002/hidraw1", jobs_);
  EXPECT_EQ(jobs_.arrived, 2);
  EXPECT_FALSE(presence_->connected(0));  // an arrival does not mark anything connected
}

TEST_F(DevicePresenceTest, NamesAreUpperCasedBeforeMatching) {
  Build({Connection(0x0001, 201, 0, u"VID_1209&PID_0001")});
  presence_->onDeviceChange(DeviceEvent::Arrival, "/devices/hid/vid_1209&pid_0001/hidraw0", jobs_);
  EXPECT_EQ(jobs_.arrived, 1);
}

TEST_F(DevicePresenceTest, BluetoothServiceIdentifierAnywhereInTheNameIsIgnored) {
  Build({Connection(0x0001, 201, 0, u"VID_1209&PID_0001")});
  presence_->onDeviceChange(DeviceEvent::Arrival,
                            std::string("/devices/HID/VID_1209&PID_0001/{") + kBluetoothService + "}", jobs_);
  presence_->onDeviceChange(DeviceEvent::Arrival,
                            "{00001812-0000-1000-8000-00805f9b34fb}/vid_1209&pid_0001/hidraw0", jobs_);
  EXPECT_EQ(jobs_.arrived, 0);

  Plug(0x0001);
  presence_->rescan(&view_);
  ASSERT_TRUE(presence_->connected(0));
  presence_->onDeviceChange(DeviceEvent::RemoveComplete,
                            std::string(kBluetoothService) + "/VID_1209&PID_0001", jobs_);
  EXPECT_EQ(jobs_.removed, 0);
  EXPECT_TRUE(presence_->connected(0));
}

TEST_F(DevicePresenceTest, EmptyPatternMatchesEveryArrival) {
  Build({Connection(0x0001, 201, 0, u"")});
  presence_->onDeviceChange(DeviceEvent::Arrival, "/devices/anything/hidraw7", jobs_);
  presence_->onDeviceChange(DeviceEvent::Arrival, "", jobs_);
  EXPECT_EQ(jobs_.arrived, 2);
}

TEST_F(DevicePresenceTest, RemovalOnlyForConnectedRowsClearsTheFlagOnce) {
  Build({Connection(0x0002, 201, 1, u"VID_1209"), Connection(0x0001, 201, 0, u"VID_1209&PID_0001")});
  const std::string name = "/devices/HID/VID_1209&PID_0001/hidraw0";

  presence_->onDeviceChange(DeviceEvent::RemoveComplete, name, jobs_);
  EXPECT_EQ(jobs_.removed, 0);  // nothing is connected yet

  Plug(0x0001);
  presence_->rescan(&view_);
  ASSERT_FALSE(presence_->connected(0));
  ASSERT_TRUE(presence_->connected(1));

  // Row 0 also matches the name but is not connected: row 1 is the one removed.
  presence_->onDeviceChange(DeviceEvent::RemoveComplete, name, jobs_);
  EXPECT_EQ(jobs_.removed, 1);
  EXPECT_EQ(jobs_.arrived, 0);
  EXPECT_FALSE(presence_->connected(1));

  presence_->onDeviceChange(DeviceEvent::RemoveComplete, name, jobs_);
  EXPECT_EQ(jobs_.removed, 1);
}

TEST_F(DevicePresenceTest, RemovalOfAnotherInterfaceKeepsTheFlag) {
  Build({Connection(0x0001, 201, 0, u"VID_1209&PID_0001")});
  Plug(0x0001);
  presence_->rescan(&view_);
  presence_->onDeviceChange(DeviceEvent::RemoveComplete, "/devices/HID/VID_046D&PID_C52B/hidraw3", jobs_);
  EXPECT_EQ(jobs_.removed, 0);
  EXPECT_TRUE(presence_->connected(0));
}

TEST_F(DevicePresenceTest, OtherEventsAreIgnored) {
  Build({Connection(0x0001, 201, 0, u"")});
  Plug(0x0001);
  presence_->rescan(&view_);
  for (auto event : {DeviceEvent::Other, static_cast<DeviceEvent>(0x8001), static_cast<DeviceEvent>(0x8003),
                     static_cast<DeviceEvent>(0x0007)}) {
    presence_->onDeviceChange(event, "/devices/HID/VID_1209&PID_0001/hidraw0", jobs_);
  }
  EXPECT_EQ(jobs_.arrived, 0);
  EXPECT_EQ(jobs_.removed, 0);
  EXPECT_TRUE(presence_->connected(0));
}

}  // namespace

// Hot-plug notices reach the presence logic through a source: the udev
// monitor in the product, a hand-driven fake here.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/DevicePresence.h"
#include "device/HidManager.h"
#include "device/UdevMonitor.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/sim/VirtualClock.h"

namespace {

class RecordingJobs : public PresenceJobs {
 public:
  void DeviceArrived() override { log.push_back("arrived"); }
  void DeviceRemoved() override { log.push_back("removed"); }
  std::vector<std::string> log;
};

CatalogueEntry WiredT40() {
  CatalogueEntry row;
  row.deviceType = 201;
  row.vendorId = 0x1209;
  row.productId = 0x0001;
  row.interfacePattern = u"0003:1209:0001";
  return row;
}

class HotplugTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hidsim::Bus::Instance().Reset();
    hidsim::Bus::Instance().SetClock(&clock_);
    hid_.addSupportedDevice(SupportedDevice{0x1209, 0x0001, u"", 201, 0, u"0003:1209:0001"});
  }
  void TearDown() override { hidsim::Bus::Instance().Reset(); }

  hidsim::VirtualClock clock_;
  HidManager hid_{clock_};
  DevicePresence presence_{hid_, {WiredT40()}};
  FakeHotplugSource source_;
  RecordingJobs jobs_;
};

TEST_F(HotplugTest, PlugAndUnplugThroughTheSourceQueueRescans) {
  ASSERT_TRUE(presence_.watch(source_, jobs_));
  const std::string devpath = "/devices/pci0000:00/usb1/1-2/1-2:1.1/0003:1209:0001.0007/hidraw/hidraw3";
  source_.Notify(DeviceEvent::RemoveComplete, devpath);  // never connected: nothing to do
  EXPECT_TRUE(jobs_.log.empty());

  const auto ids = hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
  source_.Notify(DeviceEvent::Arrival, devpath);
  presence_.rescan(nullptr);
  EXPECT_TRUE(presence_.keyboardMatched());
  EXPECT_EQ(presence_.connectionMode(), 0);

  hidsim::Bus::Instance().UnplugKeyboard(ids.vendor);
  source_.Notify(DeviceEvent::Other, devpath);
  source_.Notify(DeviceEvent::RemoveComplete, devpath);
  presence_.rescan(nullptr);
  EXPECT_FALSE(presence_.interfacesFound());
  EXPECT_EQ(jobs_.log, (std::vector<std::string>{"arrived", "removed"}));
  EXPECT_FALSE(presence_.connected(0));
}

TEST_F(HotplugTest, ASourceThatCannotStartIsReported) {
  source_.refuseStart = true;
  EXPECT_FALSE(presence_.watch(source_, jobs_));
  EXPECT_FALSE(source_.Notify(DeviceEvent::Arrival, "0003:1209:0001"));
}

// The real monitor needs a udev netlink socket, which some sandboxes lack.
TEST(UdevMonitorTest, StartsAndStopsCleanly) {
  UdevMonitor monitor;
  if (!monitor.Start([](DeviceEvent, const std::string&) {})) GTEST_SKIP() << "no udev monitor here";
  EXPECT_FALSE(monitor.Start([](DeviceEvent, const std::string&) {}));  // already running
  monitor.Stop();
  monitor.Stop();
  EXPECT_TRUE(monitor.Start([](DeviceEvent, const std::string&) {}));
}

}  // namespace

// The services behind the main window with everything real below them: the
// simulated T40 on the simulated HID bus, a database in a temporary folder,
// device notices from a hand-driven source, and the worker stepped by the
// test on a virtual clock.
#include "mainwindow/KeyboardServices.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Paths.h"
#include "device/HidManager.h"
#include "device/KeyCodes.h"
#include "device/KeyboardProtocol.h"
#include "macros/virtualdevice/VHidev.h"
#include "store/ProfileStore.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/lighting/MusicFakeSource.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/mainwindow/OfflineServiceParts.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "updater/HttpClient.h"
#include "updater/ProgramStarter.h"

namespace {

using Log = std::vector<std::string>;

constexpr std::uint16_t kVendor = 0x1209;
constexpr std::uint16_t kWiredProduct = 0x0001;
// What udev names the wired T40's hidraw node after; the catalogue matches the ids in it.
const std::string kWiredNotice = "/sys/devices/pci0000:00/usb1/1-2/1-2:1.1/0003:1209:0001.0007/hidraw/hidraw4";

// The window as the services see it: the key page of profile 1 shown, calls logged.
class RecordingView : public MainWindowView {
 public:
  void RefreshAfterRescan() override { Log("refresh"); }
  void LoadPages() override { Log("load-pages"); }
  void EnableWindow(WindowInput input) override { Log(input == WindowInput::Enabled ? "enable" : "disable"); }
  void CloseWaitDialog() override { Log("close-wait"); }
  bool IsWindowVisible() const override { return true; }
  int CurrentTabIndex() const override { return 1; }
  std::uint32_t LightingModeFlags() const override { return 0; }
  int CurrentProfileId() const override { return 1; }
  int CurrentLayer() const override { return 0; }
  void NoticeDeviceChange(DeviceEvent event, const std::string& path) override {
    Log("notice " + std::to_string(static_cast<int>(event)) + " " + path);
  }
  void SetSoftwareUpgradeMarker() override { Log("software-marker"); }
  void SetFirmwareUpgradeMarker() override { Log("firmware-marker"); }
  void PostDownloadProgress(int) override {}
  void ExitProgram(int) override { Log("exit"); }

  std::vector<std::string> TakeLog() {
    std::lock_guard lock(mutex_);
    return std::exchange(log_, {});
  }

 private:
  void Log(std::string entry) {
    std::lock_guard lock(mutex_);
    log_.push_back(std::move(entry));
  }
  std::mutex mutex_;
  std::vector<std::string> log_;
};

// The virtual keyboard's writes, kept for a test thread that waits for them.
class WaitableBackend : public VirtualHidBackend {
 public:
  bool Open() override { return open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int Write(std::span<const std::uint8_t, 64> bytes) override {
    std::lock_guard lock(mutex_);
    pressedUsages_.clear();
    if (bytes[1] == VHidev::kKeyboardReport) {
      for (int usage = 0; usage < 256; ++usage) {
        if ((bytes[2 + usage / 8] >> (usage % 8)) & 1) pressedUsages_.push_back(usage);
      }
    }
    changed_.notify_all();
    return 64;
  }
  /// Waits until the last keyboard report holds exactly these usages; false when it never does.
  bool WaitForKeys(const std::vector<int>& usages) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return pressedUsages_ == usages; });
  }

 private:
  std::atomic<bool> open_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> pressedUsages_;
};

using testsupport::NeverStarts;
using testsupport::NoTargets;
using testsupport::OfflineCopy;

class KeyboardServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bus_.Reset();
    bus_.SetClock(&clock_);
    for (const char* file : {"config.xml", "layouts/T40.xml", "layouts/K10.xml"}) program_.Write(file, OfflineCopy(file));
    setenv("XDG_DATA_HOME", user_.Path().c_str(), 1);
    ASSERT_TRUE(CreateFolderTree(GetUserDataFolder() + "db"));

    hid_ = std::make_unique<HidManager>(clock_);
    ServiceParts parts{&clock_, &http_, &starter_, &hotplug_, &evdev_, hid_.get(), &virtualDevice_,
                       [](SampleFormat) { return std::make_unique<MusicFakeSource>(); }, nullptr, 201};
    services_ = std::make_unique<KeyboardServices>(program_.Path(), view_, parts);
    NoTargets targets;
    ASSERT_TRUE(services_->ReadCatalogue(targets, targets));
    services_->LoadStartLayout(nullptr);
    ASSERT_TRUE(services_->Store().IsOpen());
    ASSERT_TRUE(services_->StartAudioCapture());  // runs beside every test, and must stop before the parts go
    ASSERT_TRUE(services_->Start(WorkerThread::Manual));
  }

  void TearDown() override {
    services_.reset();
    ProfileStore::Instance().Close();
    hid_.reset();
    if (firmware_) {
      EXPECT_TRUE(firmware_->UnexpectedFrames().empty());
    }
    EXPECT_EQ(bus_.OpenHandles(), 0);
    bus_.Reset();
  }

  // Jobs 12 and 1, queued by Start.
  void RunStartJobs() {
    services_->StepWorker();
    services_->StepWorker();
  }

  hidsim::Bus::KeyboardIds PlugT40() {
    firmware_ = std::make_shared<hidsim::FamilyBFirmware>();
    return bus_.PlugKeyboard(kVendor, kWiredProduct, firmware_);
  }

  // The notice travels as in the program: monitor -> window -> (window's thread) services.
  void Notice(DeviceEvent event) {
    ASSERT_TRUE(hotplug_.Notify(event, kWiredNotice));
    ASSERT_EQ(view_.TakeLog(), Log{"notice " + std::to_string(static_cast<int>(event)) + " " + kWiredNotice});
    services_->OnDeviceChange(event, kWiredNotice);
  }

  hidsim::Bus& bus_ = hidsim::Bus::Instance();
  FakeClock clock_;
  testsupport::TempFolder program_;
  testsupport::TempFolder user_;
  HttpClient http_{HttpLimits{2, 2, 64 * 1024, 1 << 20}};
  NeverStarts starter_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery evdev_;
  std::unique_ptr<WaitableBackend> ownedBackend_ = std::make_unique<WaitableBackend>();
  WaitableBackend* backend_ = ownedBackend_.get();
  VHidev virtualDevice_{std::move(ownedBackend_)};
  RecordingView view_;
  std::unique_ptr<HidManager> hid_;
  std::shared_ptr<hidsim::FamilyBFirmware> firmware_;
  std::unique_ptr<KeyboardServices> services_;  // last: it goes before everything it uses
};

TEST_F(KeyboardServicesTest, KeyboardJobsFollowPresenceThroughArrivalUnplugAndRemoval) {
  RunStartJobs();
  EXPECT_EQ(view_.TakeLog(), Log{"refresh"});
  EXPECT_EQ(services_->Presence().interfaces, HidInterfaces::None);
  EXPECT_EQ(services_->ConnectionMode(), -1);
  EXPECT_TRUE(services_->LatestSoftware().empty());  // the update server did not answer
  services_->QueueJob(JobCode::JOB_APPLY_LIGHTING);
  services_->StepWorker();  // dropped
  const hidsim::Bus::KeyboardIds ids = PlugT40();
  services_->StepWorker();  // without a notice nothing rescans, and the dropped job does not come back
  EXPECT_TRUE(view_.TakeLog().empty());
  EXPECT_TRUE(firmware_->Frames().empty());

  Notice(DeviceEvent::Arrival);
  services_->StepWorker();  // job 2, in an empty disable/enable bracket now that a keyboard is there
  EXPECT_EQ(view_.TakeLog(), (Log{"refresh", "disable", "enable"}));
  EXPECT_EQ(services_->Presence().keyboard, KeyboardMatch::Matched);
  EXPECT_EQ(services_->ConnectionMode(), 0);
  // The lighting page's choice, stored on the user-interface thread before the queued job runs.
  ProfileStore& store = services_->Store();
  LightRecord row;
  ASSERT_TRUE(store.ReadLightMode(1, 6, row));
  row.brightness = 3;
  row.direction = 1;
  ASSERT_TRUE(store.UpdateLightModeSettings(1, 6, row) && store.SetActiveLightMode(1, 6));
  services_->StepWorker();  // the lighting the arrival queued
  ASSERT_TRUE(firmware_->Lighting().has_value());
  EXPECT_EQ(firmware_->Lighting()->modeIndex, 5);
  EXPECT_EQ(firmware_->Lighting()->brightness, KeyboardProtocol::BrightnessByte(3));
  EXPECT_EQ(firmware_->Lighting()->direction, 1);
  EXPECT_EQ(view_.TakeLog(), (Log{"disable", "close-wait", "enable"}));

  ASSERT_TRUE(store.ReplaceKeyColors({KeyColorRecord{0, 1, 128, 0x104, 0x0000FF}}));
  services_->QueueJob(JobCode::JOB_APPLY_CUSTOM_LIGHT);
  firmware_->ClearFrames();
  bus_.UnplugAfterFrames(ids.vendor, 3);
  services_->StepWorker();
  EXPECT_EQ(firmware_->Frames().size(), 3u);  // the rest of the eight colour chunks had nowhere to go
  EXPECT_EQ(view_.TakeLog(), (Log{"disable", "close-wait", "enable"}));

  Notice(DeviceEvent::RemoveComplete);
  services_->QueueJob(JobCode::JOB_APPLY_LIGHTING);
  services_->StepWorker();  // job 3
  services_->StepWorker();  // the lighting: dropped
  EXPECT_EQ(view_.TakeLog(), Log{"refresh"});
  EXPECT_EQ(services_->Presence().keyboard, KeyboardMatch::None);
  EXPECT_EQ(services_->ConnectionMode(), -1);
}

TEST_F(KeyboardServicesTest, FilteredKeysPlayTheirAssignmentUntilTheExitReleasesTheKeyboard) {
  auto keyboard = std::make_shared<FakeEvdevDevice::Script>(FakeEvdevDevice::Identity{"/dev/input/event7"});
  evdev_.add(keyboard);
  KeyAssignmentRecord row;
  row.profile = 1;
  row.layer = 0;
  row.keyCode = 0x104;  // A on the layout
  row.macroType = static_cast<int>(AssignmentType::Key);
  row.macroValue = 6;  // plays C
  ASSERT_GT(services_->Store().SaveKeyAssignment(row), 0);

  services_->ProgramKeyFilter(1, 0);
  EXPECT_EQ(services_->KeyFilterStatus(), FilterStatus::Running);
  ASSERT_TRUE(keyboard->waitUntil([&] { return keyboard->grabbed(); }));
  keyboard->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  EXPECT_TRUE(backend_->WaitForKeys({6}));
  keyboard->queue(FakeEvdevDevice::keyFrame(KEY_A, 0));
  EXPECT_TRUE(backend_->WaitForKeys({}));

  keyboard->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  ASSERT_TRUE(backend_->WaitForKeys({6}));
  services_->ReleaseKeysAndStopFilter();  // the exit, with the key still held
  EXPECT_TRUE(backend_->WaitForKeys({}));
  EXPECT_TRUE(keyboard->waitUntil([&] { return !keyboard->grabbed(); }));
}

TEST_F(KeyboardServicesTest, CloseStoreLeavesEveryChangeInTheOneDatabaseFile) {
  ProfileStore& store = services_->Store();
  const std::string path = store.Path();
  ASSERT_TRUE(store.SetActiveLightMode(1, 9));
  ASSERT_GT(std::filesystem::file_size(path + "-wal"), 0u);  // the change sits in the log so far

  services_->CloseStore();
  EXPECT_FALSE(store.IsOpen());
  EXPECT_TRUE(!std::filesystem::exists(path + "-wal") || std::filesystem::file_size(path + "-wal") == 0);

  // Only the database file itself travels: a copy of it alone must hold the change.
  const std::string checkFolder = user_.Path() + "check/";
  ASSERT_TRUE(CreateFolderTree(checkFolder + "db"));
  std::filesystem::copy_file(path, ProfileStore::DatabasePath(checkFolder, u"Copy"));
  ProfileStore reader;
  ASSERT_TRUE(reader.OpenDeviceDatabase(checkFolder, u"Copy"));
  EXPECT_EQ(reader.GetActiveLightMode(1), 9);
  reader.Close();
}

}  // namespace

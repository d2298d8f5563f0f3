// The simulated T40 plugged and unplugged over and over while the audio side
// streams music levels to it: nothing may crash or leak, every arrival must
// bring the stored lighting back onto the keyboard, and the levels must reach
// the keyboard plugged last. The worker is stepped by hand on a virtual clock,
// so only the audio side's own period paces a cycle.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/Paths.h"
#include "device/HidManager.h"
#include "device/KeyboardProtocol.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/KeyboardServices.h"
#include "mainwindow/MusicLevelSender.h"
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

constexpr std::uint16_t kVendor = 0x1209;
constexpr std::uint16_t kWiredProduct = 0x0001;
const std::string kWiredNotice = "/sys/devices/pci0000:00/usb1/1-2/1-2:1.1/0003:1209:0001.0007/hidraw/hidraw4";

// The lighting page showing a music mode; everything else is not looked at.
class MusicPageView : public MainWindowView {
 public:
  void RefreshAfterRescan() override {}
  void LoadPages() override {}
  void EnableWindow(WindowInput) override {}
  void CloseWaitDialog() override {}
  bool IsWindowVisible() const override { return true; }
  int CurrentTabIndex() const override { return MusicLevelSender::kLightingTab; }
  std::uint32_t LightingModeFlags() const override { return modeFlags; }
  int CurrentProfileId() const override { return 1; }
  int CurrentLayer() const override { return 0; }
  void NoticeDeviceChange(DeviceEvent, const std::string&) override {}
  void SetSoftwareUpgradeMarker() override {}
  void SetFirmwareUpgradeMarker() override {}
  void PostDownloadProgress(int) override {}
  void ExitProgram(int) override {}

  std::uint32_t modeFlags = 0;
};

// The virtual keyboard's device, which nothing here types on.
class ClosedBackend : public VirtualHidBackend {
 public:
  bool Open() override { return open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int Write(std::span<const std::uint8_t, 64>) override { return 64; }

 private:
  bool open_ = false;
};

using testsupport::NeverStarts;
using testsupport::NoTargets;
using testsupport::OfflineCopy;

// The full storm is 1 000 cycles (PELMORA_PLUG_CYCLES=1000, under a minute);
// the default suite runs a short one.
int CycleCount() {
  const char* value = std::getenv("PELMORA_PLUG_CYCLES");
  return value != nullptr ? std::atoi(value) : 100;
}

class PlugStormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bus_.Reset();
    bus_.SetClock(&clock_);
    for (const char* file : {"config.xml", "layouts/T40.xml", "layouts/K10.xml"}) program_.Write(file, OfflineCopy(file));
    setenv("XDG_DATA_HOME", user_.Path().c_str(), 1);
    ASSERT_TRUE(CreateFolderTree(GetUserDataFolder() + "db"));
    hid_ = std::make_unique<HidManager>(clock_);
    ServiceParts parts{&clock_, &http_, &starter_, &hotplug_, &evdev_, hid_.get(), &virtualDevice_,
                       [this](SampleFormat) {
                         auto source = std::make_unique<MusicFakeSource>();
                         source->SetFormat(CaptureFormat{48000, 2, 16, 4, 192000});
                         audio_ = source.get();
                         return source;
                       },
                       nullptr, 201};
    services_ = std::make_unique<KeyboardServices>(program_.Path(), view_, parts);
    NoTargets targets;
    ASSERT_TRUE(services_->ReadCatalogue(targets, targets));
    services_->LoadStartLayout(nullptr);
    ASSERT_TRUE(services_->Store().IsOpen());
    ASSERT_TRUE(services_->StartAudioCapture());
    ASSERT_NE(audio_, nullptr);
    ASSERT_TRUE(services_->Start(WorkerThread::Manual));
    services_->StepWorker();  // the start jobs, with no keyboard yet
    services_->StepWorker();
  }

  void TearDown() override {
    services_.reset();
    ProfileStore::Instance().Close();
    hid_.reset();
    EXPECT_EQ(bus_.OpenHandles(), 0);
    bus_.Reset();
  }

  // Makes a music mode the active one, with a brightness and direction a default would not have.
  LightRecord ChooseMusicMode() {
    ProfileStore& store = services_->Store();
    std::vector<LightRecord> rows;
    store.ListLightModes(1, rows);
    for (LightRecord row : rows) {
      if ((row.configFunc & KeyboardProtocol::kMusicMode) == 0) continue;
      row.brightness = 2;
      row.direction = 1;
      EXPECT_TRUE(store.UpdateLightModeSettings(1, row.mode, row) && store.SetActiveLightMode(1, row.mode));
      view_.modeFlags = static_cast<std::uint32_t>(row.configFunc);
      return row;
    }
    ADD_FAILURE() << "the T40 has no music mode";
    return {};
  }

  // One keyboard fresh from the factory, plugged and announced; the worker runs the rescan and the lighting.
  hidsim::Bus::KeyboardIds PlugAndApply() {
    firmware_ = std::make_shared<hidsim::FamilyBFirmware>();
    const hidsim::Bus::KeyboardIds ids = bus_.PlugKeyboard(kVendor, kWiredProduct, firmware_);
    services_->OnDeviceChange(DeviceEvent::Arrival, kWiredNotice);
    while (services_->JobsPending()) services_->StepWorker();
    return ids;
  }

  void Unplug(const hidsim::Bus::KeyboardIds& ids) {
    bus_.UnplugKeyboard(ids.vendor);
    services_->OnDeviceChange(DeviceEvent::RemoveComplete, kWiredNotice);
    while (services_->JobsPending()) services_->StepWorker();
  }

  // Lets the capture thread take every queued packet; false when it stops taking them.
  bool DrainAudio() {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (audio_->Waiting() > 0) {
      if (std::chrono::steady_clock::now() > giveUp) return false;
      std::this_thread::yield();
    }
    return true;
  }

  void StreamOnePacket() {
    std::vector<std::int16_t> samples(512);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::int16_t>((i % 64) * 400);
    audio_->PushSamples(samples);
  }

  hidsim::Bus& bus_ = hidsim::Bus::Instance();
  FakeClock clock_;
  testsupport::TempFolder program_;
  testsupport::TempFolder user_;
  HttpClient http_{HttpLimits{2, 2, 64 * 1024, 1 << 20}};
  NeverStarts starter_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery evdev_;
  VHidev virtualDevice_{std::make_unique<ClosedBackend>()};
  MusicPageView view_;
  MusicFakeSource* audio_ = nullptr;
  std::unique_ptr<HidManager> hid_;
  std::shared_ptr<hidsim::FamilyBFirmware> firmware_;
  std::unique_ptr<KeyboardServices> services_;
};

TEST_F(PlugStormTest, EveryArrivalDuringMusicStreamingGetsTheStoredLightingBack) {
  const LightRecord music = ChooseMusicMode();
  const int cycles = CycleCount();
  int missedLighting = 0;
  std::size_t levelsSent = 0;  // reported, not checked: how many land depends on the capture thread's pace
  const auto begin = std::chrono::steady_clock::now();
  for (int cycle = 0; cycle < cycles; ++cycle) {
    // The capture thread sends a level every pass of its own real-time period; a packet per cycle,
    // taken while the keyboard arrives and is rescanned, keeps each cycle at least one pass long.
    StreamOnePacket();
    const hidsim::Bus::KeyboardIds ids = PlugAndApply();
    ASSERT_TRUE(DrainAudio()) << "cycle " << cycle;
    const auto lighting = firmware_->Lighting();
    if (!lighting || lighting->modeIndex != music.mode - 1) ++missedLighting;
    levelsSent += firmware_->MusicLevels().size();
    if (cycle + 1 == cycles) break;
    Unplug(ids);
  }
  const auto spent = std::chrono::steady_clock::now() - begin;
  std::printf("%d plug/unplug cycles, %.3f ms per cycle, %zu music levels reached the keyboards\n", cycles,
              std::chrono::duration<double, std::milli>(spent).count() / cycles, levelsSent);
  EXPECT_EQ(missedLighting, 0);

  // What the keyboard plugged last decoded is what the store holds.
  LightRecord stored;
  ASSERT_TRUE(services_->Store().ReadLightMode(1, services_->Store().GetActiveLightMode(1), stored));
  const auto lighting = firmware_->Lighting();
  ASSERT_TRUE(lighting.has_value());
  EXPECT_EQ(lighting->modeIndex, stored.mode - 1);
  EXPECT_EQ(lighting->brightness, KeyboardProtocol::BrightnessByte(stored.brightness));
  EXPECT_EQ(lighting->direction, stored.direction);

  // The capture thread, running all along, still feeds the keyboard plugged last.
  EXPECT_TRUE(firmware_->LastMusicLevel().has_value());
  EXPECT_TRUE(firmware_->UnexpectedFrames().empty());
}

}  // namespace

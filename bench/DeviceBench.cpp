// CPU time of the keyboard link's product code. The waits run on a virtual
// clock and the keyboard is the in-process simulator, so the figures measure
// frame building, store reads and HID calls, not the protocol's pauses.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "device/FamilyBKeyWriter.h"
#include "device/HidManager.h"
#include "device/KeyboardProtocol.h"
#include "store/ProfileStore.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyAFirmware.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/sim/VirtualClock.h"

namespace {

constexpr int kVendor = 0x1209;

struct SimulatedKeyboard {
  hidsim::VirtualClock clock;
  std::unique_ptr<HidManager> hid;

  SimulatedKeyboard(int productId, int deviceType, std::shared_ptr<hidsim::Firmware> firmware) {
    hidsim::Bus::Instance().Reset();
    hidsim::Bus::Instance().PlugKeyboard(kVendor, static_cast<std::uint16_t>(productId), std::move(firmware));
    hid = std::make_unique<HidManager>(clock);
    hid->addSupportedDevice(SupportedDevice{kVendor, productId, u"", deviceType, 0, u""});
    hid->scan();
    hid->setOpen(true);
    hid->setCurrentDeviceType(deviceType);
  }
};

// A profile with 13 macros of 20 key events each and 10 remapped keys.
void FillProfile(ProfileStore& store) {
  for (int m = 0; m < 13; ++m) {
    const int id = store.AddMacro(u"bench macro");
    std::vector<StepRecord> steps;
    for (int e = 0; e < 20; ++e) steps.push_back(StepRecord{0, id, e % 2 == 0 ? 2 : 3, e, 65 + e / 2, 30, u"key"});
    store.ReplaceSteps(id, steps);
    store.SaveKeyAssignment(KeyAssignmentRecord{0, 1, 0, 0x104 + m, 0, u"", 3, id, 0, 0, u"macro"});
  }
  for (int r = 0; r < 10; ++r) {
    store.SaveKeyAssignment(KeyAssignmentRecord{0, 1, 0, 0x11E + r, 0, u"", 2, 4 + r, 0, 0, u"key"});
  }
}

void FamilyBApplyAllKeys(benchmark::State& state) {
  const std::string folder = (std::filesystem::temp_directory_path() / "pelmora-device-bench/").string();
  std::filesystem::create_directories(folder + "db");
  ProfileStore store;
  store.DeleteDeviceDatabase(folder, u"Bench");
  store.OpenDeviceDatabase(folder, u"Bench");
  FillProfile(store);
  auto firmware = std::make_shared<hidsim::FamilyBFirmware>();
  SimulatedKeyboard keyboard(0x0001, 201, firmware);
  FamilyBKeyWriter writer(*keyboard.hid, keyboard.clock, store);
  std::size_t frames = 0;
  for (auto _ : state) {
    writer.applyAllKeys(1, 0);
    frames = firmware->Writes().size();
    firmware->ClearFrames();
    keyboard.clock.ClearWaits();
  }
  state.counters["frames_per_call"] = static_cast<double>(frames);
  store.Close();
}
BENCHMARK(FamilyBApplyAllKeys)->Unit(benchmark::kMicrosecond);

void FamilyALiveFrame(benchmark::State& state) {
  auto firmware = std::make_shared<hidsim::FamilyAFirmware>();
  SimulatedKeyboard keyboard(0x0004, 101, firmware);
  KeyboardProtocol protocol(*keyboard.hid, keyboard.clock);
  std::vector<LiveKeyColor> keys;
  for (int i = 0; i < 87; ++i) keys.push_back(LiveKeyColor{i, static_cast<std::uint32_t>(0x102030 + i)});
  std::size_t frames = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(protocol.sendLiveFrame(0, keys));
    frames = firmware->Writes().size();
    firmware->ClearFrames();
    keyboard.clock.ClearWaits();
  }
  state.counters["frames_per_call"] = static_cast<double>(frames);
}
BENCHMARK(FamilyALiveFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

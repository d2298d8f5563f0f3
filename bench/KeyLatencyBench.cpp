// In-process latency of a reassigned key: from the evdev event of the
// assigned key (a scripted device) to the uinput write of its replacement,
// through the filter's reader and monitor threads, the player and the
// virtual device. The kernel's part is not included.
#include <benchmark/benchmark.h>
#include <linux/input-event-codes.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "device/Clock.h"
#include "macros/filter/HidUsbFilter.h"
#include "macros/filter/KeyFilterTable.h"
#include "macros/playback/MacroPlayer.h"
#include "macros/playback/MacroQueue.h"
#include "macros/virtualdevice/UinputHidBackend.h"
#include "macros/virtualdevice/VHidev.h"
#include "store/ProfileStore.h"
#include "tests/fakes/FakeEvdevDiscovery.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the first key event of a report arrives.
class StampingSink : public UinputSink {
 public:
  explicit StampingSink(std::atomic<long long>& stamp) : stamp_(stamp) {}
  bool Create(const UinputDeviceSpec&) override { return created_ = true; }
  bool IsCreated() const override { return created_; }
  bool Emit(int type, int, int) override {
    if (type == EV_KEY) stamp_.store(Clock::now().time_since_epoch().count());
    return true;
  }
  void Destroy() override { created_ = false; }

 private:
  std::atomic<long long>& stamp_;
  bool created_ = false;
};

class QuietSink : public UinputSink {
 public:
  bool Create(const UinputDeviceSpec&) override { return created_ = true; }
  bool IsCreated() const override { return created_; }
  bool Emit(int, int, int) override { return true; }
  void Destroy() override { created_ = false; }

 private:
  bool created_ = false;
};

class NoQueue : public MacroQueue {
 public:
  bool Empty() const override { return true; }
  void Append(std::uint32_t) override {}
};

class PlayerProxy : public HidUsbFilter::IMonitorProxy {
 public:
  explicit PlayerProxy(MacroPlayer& player) : player_(player) {}
  bool onFilterKey(std::uint8_t, std::uint16_t keyCode, bool pressed) override {
    return player_.onFilterKey(keyCode, pressed);
  }

 private:
  MacroPlayer& player_;
};

long long WaitForStamp(std::atomic<long long>& stamp) {
  long long value = 0;
  while ((value = stamp.exchange(0)) == 0) std::this_thread::yield();
  return value;
}

void AssignedKeyToReplacement(benchmark::State& state) {
  const std::string folder = (std::filesystem::temp_directory_path() / "pelmora-latency-bench/").string();
  std::filesystem::create_directories(folder + "db");
  ProfileStore store;
  store.DeleteDeviceDatabase(folder, u"Bench");
  store.OpenDeviceDatabase(folder, u"Bench");
  std::atomic<long long> stamp{0};
  VHidev device(std::make_unique<UinputHidBackend>(std::make_unique<StampingSink>(stamp)));
  device.openVirtualDevice();
  NoQueue queue;
  MacroPlayer player(device, store, queue, SteadyClock::Instance());
  player.setAssignedKeys({KeyAssignmentRecord{1, 1, 0, 0x104, 0, u"", 2, 0x05, 0, 0, u"B"}});  // A plays B
  PlayerProxy proxy(player);

  FakeEvdevDiscovery discovery;
  FakeEvdevDevice::Identity identity;
  identity.path = "/dev/input/event7";
  auto keyboard = std::make_shared<FakeEvdevDevice::Script>(identity);
  discovery.add(keyboard);
  HidUsbFilter filter(discovery, [] { return std::make_unique<QuietSink>(); }, {{0x1209, 0x0001}},
                      HidUsbFilter::Options{std::chrono::milliseconds(0)});
  filter.registerCallback(proxy);
  const std::uint16_t codes[] = {0x104};
  filter.loadTable(KeyFilterTable::encode(codes));
  filter.commitTable();
  filter.startFiltering();
  filter.startMonitor();

  int value = 1;
  for (auto _ : state) {
    const long long start = Clock::now().time_since_epoch().count();
    keyboard->queue(FakeEvdevDevice::keyFrame(KEY_A, value));
    const long long end = WaitForStamp(stamp);
    state.SetIterationTime(std::chrono::duration<double>(Clock::duration(end - start)).count());
    value = 1 - value;
  }
  filter.stopMonitor();
  filter.unregisterCallback(proxy);
  store.Close();
}
BENCHMARK(AssignedKeyToReplacement)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(20000);

}  // namespace

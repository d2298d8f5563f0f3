// Unplugs and plugs the demo's simulated T40 again and again, the way a user
// with a loose cable would, and announces each change as udev would. It
// starts once the program has found the keyboard and gone quiet; each removal
// waits until the program has closed every handle to the keyboard, each
// arrival until the keyboard has understood a frame from the program (the
// lighting it re-applies). The demo runs it when PELMORA_DEMO_PLUG_CYCLES=N:
//
//   PlugCycler cycler(bus, notices, {0x1209, 0x0001, firmware, ids});
//   cycler.Start(1000);   // prints "plug cycles done: 1000" when through
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "device/HotplugSource.h"
#include "tests/sim/Bus.h"

class FakeHotplugSource;

class PlugCycler {
 public:
  /// The keyboard to cycle, as it was plugged.
  struct Keyboard {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::shared_ptr<hidsim::Firmware> firmware;  ///< plugged in again each cycle
    hidsim::Bus::KeyboardIds ids;                ///< the interfaces on the bus now
  };
  /// Cycles `keyboard` on `bus`, announcing through `notices`; both must outlive the cycler.
  PlugCycler(hidsim::Bus& bus, FakeHotplugSource& notices, Keyboard keyboard);
  /// Stops the thread between two steps and waits for it.
  ~PlugCycler();
  PlugCycler(const PlugCycler&) = delete;
  PlugCycler& operator=(const PlugCycler&) = delete;

  /// Runs `cycles` on a thread of its own and prints "plug cycles done: N" on stdout (a reason on stderr if not).
  void Start(int cycles);
  /// Runs on the calling thread: waits until the program has settled, then cycles; the cycles completed.
  int Run(int cycles);
  /// The step a short run stopped at; empty after a full one.
  const std::string& Failure() const { return failure_; }

 private:
  bool Settle();
  bool Unplug();
  bool Plug();
  void Announce(DeviceEvent event, const std::vector<std::string>& paths);
  std::vector<std::string> InterfacePaths() const;
  bool WaitFor(const char* step, const std::function<bool()>& done);

  hidsim::Bus& bus_;
  FakeHotplugSource& notices_;
  Keyboard keyboard_;
  std::string failure_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

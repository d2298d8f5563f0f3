// The in-process HID bus behind the simulated hidapi (hidapi_sim). Test
// binaries link hidapi_sim instead of libhidapi; the code under test calls
// hid_enumerate, hid_open_path, hid_write ... unchanged and reaches the
// keyboards a test has plugged in here.
//
//   auto& bus = hidsim::Bus::Instance();
//   bus.Reset();                                   // in SetUp: empty bus, counters at 0
//   hidsim::VirtualClock clock;
//   bus.SetClock(&clock);                          // frames are stamped with clock.NowMs()
//   auto fw = std::make_shared<hidsim::FamilyBFirmware>();
//   auto kb = bus.PlugKeyboard(0x1209, 0x0001, fw);  // interfaces 0, 1 (vendor), 3 (stream)
//   bus.RefuseOutputWrites(kb.vendor, 1);          // the next hid_write on it fails
//   ... run the code under test ...
//   bus.UnplugKeyboard(kb.vendor);                 // every interface of that keyboard goes
//   EXPECT_EQ(bus.InitCalls(), bus.ExitCalls());
//
// Ids name single interfaces. Fault counters belong to an interface and count
// down as calls arrive on it. Everything is thread-safe (one mutex); devices
// can come and go while other threads are inside hid_* calls, and a handle
// to an interface that is gone fails every call with an error text.
// hid_error hands back a per-thread copy of the text, valid until that
// thread's next hid_error call.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "device/Clock.h"
#include "tests/sim/Firmware.h"

struct hid_device_;

namespace hidsim {

class Bus {
 public:
  /// The ids PlugKeyboard hands back, one per interface.
  struct KeyboardIds {
    int keys = -1;    ///< plain keyboard interface 0 (usage page 1, usage 6)
    int vendor = -1;  ///< vendor collection 0xFF01/1 on the chosen interface
    int stream = -1;  ///< vendor collection 0xFF01/1 on interface 3
  };

  /// The one bus of the process.
  static Bus& Instance();

  /// Plugs one interface driven by `firmware` (null: every transfer fails).
  /// Returns its id, or -1 when the path is already on the bus.
  int Plug(const InterfaceSpec& spec, std::shared_ptr<Firmware> firmware);
  /// Plugs a whole keyboard: interfaces 0, `vendorInterface` (not 0 or 3) and 3,
  /// in that enumeration order, with paths "/dev/hidrawN" not yet in use.
  KeyboardIds PlugKeyboard(std::uint16_t vendorId, std::uint16_t productId,
                           std::shared_ptr<Firmware> firmware, int vendorInterface = 1);
  /// Removes one interface; open handles to it fail from now on.
  void Unplug(int id);
  /// Removes every interface that shares interface `id`'s firmware.
  void UnplugKeyboard(int id);
  void UnplugAll();
  bool IsPlugged(int id) const;
  /// Path of interface `id` (as hid_open_path wants it); empty if not plugged.
  std::string PathOf(int id) const;

  /// Unplugs everything, drops faults (SetInitFails too), the clock and the counters below.
  /// Handles still open stay valid to close but no longer count.
  void Reset();
  /// Clock whose NowMs stamps frames; null (the default) stamps 0. Not owned.
  void SetClock(Clock* clock);

  // Fault injection, per interface id.
  /// The next `count` hid_write calls fail with -1.
  void RefuseOutputWrites(int id, int count);
  /// The next `count` hid_send_feature_report calls fail with -1.
  void RefuseFeatureSends(int id, int count);
  /// The next `count` hid_get_feature_report calls fail with -1 (the model is not asked).
  void FailGetFeatures(int id, int count);
  /// The next `count` gets return the model's reply with byte 0 set to a wrong
  /// report id (0x00; 0x01 if 0 was asked for).
  void WrongReportIdOnGets(int id, int count);
  /// The next gets return these bytes instead of asking the model, one reply per get.
  void CannedGetReplies(int id, std::vector<Bytes> replies);
  /// After `count` more transfers reach the keyboard through this interface,
  /// the whole keyboard is unplugged (count 0 unplugs it at once). Refused
  /// transfers do not count.
  void UnplugAfterFrames(int id, int count);
  /// The next `count` hid_open_path / hid_open calls for this interface fail.
  void RefuseOpens(int id, int count);
  /// While set, hid_init fails and enumerate/open find nothing.
  void SetInitFails(bool fails);

  // Counters for balance checks.
  int InitCalls() const;
  int ExitCalls() const;
  /// Handles opened and not closed since the last Reset.
  int OpenHandles() const;

 private:
  friend class HidapiBridge;

  struct Faults {
    int refuseWrites = 0;
    int refuseFeatures = 0;
    int failGets = 0;
    int wrongIdGets = 0;
    std::vector<Bytes> canned;
    int unplugAfter = -1;  // transfers left before the keyboard goes; -1 = never
    int refuseOpens = 0;
  };
  struct Device {
    InterfaceSpec spec;
    std::shared_ptr<Firmware> firmware;
    Faults faults;
  };

  Bus() = default;
  void UnplugKeyboardLocked(int id);
  // Counts a transfer that reached the keyboard; may unplug it.
  void AfterTransferLocked(int id);
  std::uint64_t NowLocked() const;

  mutable std::mutex mutex_;
  std::map<int, Device> devices_;  // ordered by id = plug order = enumeration order
  int nextId_ = 1;
  int nextHidraw_ = 0;
  Clock* clock_ = nullptr;
  bool initFails_ = false;
  int initCalls_ = 0;
  int exitCalls_ = 0;
  std::set<const hid_device_*> handles_;
};

}  // namespace hidsim

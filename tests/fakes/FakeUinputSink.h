// A uinput device that only records: every event written, the description it
// was created with, how often it was created and removed. It can refuse to be
// created (no /dev/uinput, no permission) or refuse events.
//
// Not locked: the virtual device calls it under its own lock; read it only
// while no other thread writes (after joining).
#pragma once

#include <vector>

#include "macros/virtualdevice/UinputSink.h"

class FakeUinputSink : public UinputSink {
 public:
  /// One event as written.
  struct Event {
    int type;   ///< EV_KEY, EV_SYN, ...
    int code;   ///< KEY_A, SYN_REPORT, ...
    int value;  ///< 1 pressed, 0 released
    bool operator==(const Event&) const = default;  ///< all three equal
  };

  /// Keeps the description; fails while refuseCreate is set.
  bool Create(const UinputDeviceSpec& announced) override {
    ++createCount;
    if (refuseCreate) return false;
    spec = announced;
    created_ = true;
    return true;
  }
  /// True between a successful Create and Destroy.
  bool IsCreated() const override { return created_; }
  /// Records the event; fails without recording when the device is missing or refuseEmit is set.
  bool Emit(int type, int code, int value) override {
    if (!created_ || refuseEmit) return false;
    events.push_back({type, code, value});
    return true;
  }
  /// Forgets the device.
  void Destroy() override {
    if (created_) ++destroyCount;
    created_ = false;
  }

  std::vector<Event> events;  ///< every event, in order
  UinputDeviceSpec spec;      ///< what the last successful Create announced
  int createCount = 0;        ///< Create calls, refused ones included
  int destroyCount = 0;       ///< removals of a created device
  bool refuseCreate = false;  ///< makes Create fail
  bool refuseEmit = false;    ///< makes Emit fail

 private:
  bool created_ = false;
};

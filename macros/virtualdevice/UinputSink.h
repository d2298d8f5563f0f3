// Where synthesized input events go: a uinput device in the product, a
// recording fake in the tests. One sink is one virtual input device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// What a virtual input device announces when it is created.
struct UinputDeviceSpec {
  std::string name;                ///< device name shown by the system
  std::uint16_t busType = 0x06;    ///< BUS_VIRTUAL
  std::uint16_t vendorId = 0;      ///< USB vendor id
  std::uint16_t productId = 0;     ///< USB product id
  std::vector<int> keys;           ///< EV_KEY codes it can send (keys and buttons)
  bool relativeAxes = false;       ///< also EV_REL X, Y and wheels (a mouse)
};

class UinputSink {
 public:
  virtual ~UinputSink() = default;
  /// Creates the device; false when uinput cannot be opened (missing, no permission).
  virtual bool Create(const UinputDeviceSpec& spec) = 0;
  /// True while the device exists.
  virtual bool IsCreated() const = 0;
  /// Writes one event (type, code, value); false on failure.
  virtual bool Emit(int type, int code, int value) = 0;
  /// Removes the device.
  virtual void Destroy() = 0;
};

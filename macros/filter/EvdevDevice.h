// One input event device (/dev/input/eventN): what the key filter grabs and
// passes through, and what recording and single-key capture read. A real
// device on libevdev in the product, a scriptable fake in the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// One evdev event, as the kernel reports it (the timestamp is not needed).
struct InputEvent {
  std::uint16_t type = 0;  ///< EV_KEY, EV_SYN, EV_MSC, ...
  std::uint16_t code = 0;  ///< key code, SYN_REPORT, MSC_SCAN, ...
  std::int32_t value = 0;  ///< for keys: 0 released, 1 pressed, 2 auto-repeat
  std::uint64_t timeMs = 0;  ///< when the kernel stamped it, monotonic milliseconds; 0 when unknown
};

/// How a blocking read ended.
enum class ReadStatus {
  Event,      ///< an event was read
  Cancelled,  ///< cancelRead was called (from any thread)
  Vanished,   ///< the device is gone (unplugged: ENODEV)
  Failed,     ///< any other read error; lastError tells which
};

class EvdevDevice {
 public:
  virtual ~EvdevDevice() = default;

  /// The device node, e.g. "/dev/input/event7".
  virtual const std::string& path() const = 0;
  /// The name the kernel gives the device.
  virtual const std::string& name() const = 0;
  /// USB (or Bluetooth) vendor id.
  virtual std::uint16_t vendorId() const = 0;
  /// USB (or Bluetooth) product id.
  virtual std::uint16_t productId() const = 0;
  /// Every EV_KEY code the device can send (keys and buttons).
  virtual std::vector<int> keyCodes() const = 0;
  /// Whether the device also moves a pointer (EV_REL).
  virtual bool hasRelativeAxes() const = 0;

  /// Takes the device for this reader alone; false when refused (another program holds it) or gone.
  virtual bool grab() = 0;
  /// Gives the device back to everyone.
  virtual void ungrab() = 0;
  /// Keys down as of the last event read.
  virtual std::vector<int> heldKeys() const = 0;

  /// Blocks until the next event, a cancel, or the device's end.
  virtual ReadStatus readEvent(InputEvent& event) = 0;
  /// Makes the current and every later readEvent return Cancelled; callable from any thread.
  virtual void cancelRead() = 0;
  /// errno of the last failure (read or grab); 0 when none.
  virtual int lastError() const = 0;
};

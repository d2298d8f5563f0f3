// Where the virtual device's 64-byte report writes go: a uinput keyboard in
// the product, a fake in the tests and the demo build.
#pragma once

#include <cstdint>
#include <span>

class VirtualHidBackend {
 public:
  virtual ~VirtualHidBackend() = default;
  /// Opens (or creates) the device, keeping one that is open already; false when it cannot be had.
  virtual bool Open() = 0;
  /// Closes the device; no key stays held.
  virtual void Close() = 0;
  /// True while the device is open.
  virtual bool IsOpen() const = 0;
  /// One write: byte 0 = 0x05, byte 1 = inner report id, bytes 2-63 the inner report. Bytes written or -1.
  virtual int Write(std::span<const std::uint8_t, 64> bytes) = 0;
};

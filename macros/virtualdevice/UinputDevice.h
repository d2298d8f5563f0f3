// The product's UinputSink: a virtual input device made through libevdev's
// uinput helpers. Creating it needs write access to /dev/uinput, which the
// shipped udev rules give the user at the seat.
#pragma once

#include <memory>

#include "macros/virtualdevice/UinputSink.h"

struct libevdev;
struct libevdev_uinput;

class UinputDevice : public UinputSink {
 public:
  /// No device exists until Create.
  UinputDevice();
  /// Removes the device if it still exists.
  ~UinputDevice() override;
  UinputDevice(const UinputDevice&) = delete;
  UinputDevice& operator=(const UinputDevice&) = delete;

  /// Creates the device with every key and axis described; false when uinput refuses.
  bool Create(const UinputDeviceSpec& spec) override;
  /// True while the device exists.
  bool IsCreated() const override;
  /// Writes one event through uinput; false when the device is missing or the write fails.
  bool Emit(int type, int code, int value) override;
  /// Removes the device; the kernel releases whatever it still held.
  void Destroy() override;

 private:
  struct EvdevFree {
    void operator()(libevdev* device) const;
  };
  struct UinputFree {
    void operator()(libevdev_uinput* device) const;
  };

  std::unique_ptr<libevdev_uinput, UinputFree> uinput_;
  std::unique_ptr<libevdev, EvdevFree> description_;  // kept while the device lives
};

// Event devices found through libudev's enumeration of the "input" subsystem
// and opened with libevdev.
#pragma once

#include "macros/filter/EvdevDiscovery.h"

struct udev_device;

class UdevEvdevDiscovery : public EvdevDiscovery {
 public:
  /// Physical event nodes whose input id carries one of the given USB ids.
  std::vector<std::string> findDevices(std::span<const UsbId> ids) override;
  /// Event nodes udev tags as keyboards (ID_INPUT_KEYBOARD=1).
  std::vector<std::string> findKeyboards() override;
  /// Opens the node read-only and non-blocking on libevdev.
  OpenResult open(const std::string& path) override;

 private:
  static bool matchesIds(struct udev_device* device, std::span<const UsbId> ids);
  static OpenStatus statusOf(int error);
};

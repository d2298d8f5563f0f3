// Finding and opening event devices: the served keyboard's nodes for the key
// filter, every keyboard for recording and single-key capture. udev in the
// product, a fake in the tests.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "macros/filter/EvdevDevice.h"

/// A keyboard model by its USB ids.
struct UsbId {
  std::uint16_t vendorId = 0;   ///< vendor id
  std::uint16_t productId = 0;  ///< product id
  friend bool operator==(const UsbId&, const UsbId&) = default;
};

/// Why opening a device node did or did not work.
enum class OpenStatus {
  Opened,            ///< the device is open
  PermissionDenied,  ///< EACCES/EPERM: the udev rules are not installed
  Missing,           ///< the node is gone
  Failed,            ///< anything else
};

/// An opened device, or why there is none.
struct OpenResult {
  std::unique_ptr<EvdevDevice> device;     ///< null unless status is Opened
  OpenStatus status = OpenStatus::Failed;  ///< what happened
};

class EvdevDiscovery {
 public:
  virtual ~EvdevDiscovery() = default;
  /// Event nodes of physical devices with any of these ids (virtual ones, such as our own clones, are left out).
  virtual std::vector<std::string> findDevices(std::span<const UsbId> ids) = 0;
  /// Event nodes of every keyboard, virtual ones included.
  virtual std::vector<std::string> findKeyboards() = 0;
  /// Opens one event node for reading.
  virtual OpenResult open(const std::string& path) = 0;
};

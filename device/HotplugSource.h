// Where notices of HID interfaces coming and going come from: a udev monitor
// in the product, a fake in the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

/// The two device notices the presence logic acts on.
enum class DeviceEvent : std::uint32_t {
  Arrival = 0x8000,         ///< an interface appeared
  RemoveComplete = 0x8004,  ///< an interface is gone
  Other = 0,                ///< anything else; ignored
};

class HotplugSource {
 public:
  /// Receives one notice with the interface's device path.
  using Handler = std::function<void(DeviceEvent event, const std::string& path)>;

  virtual ~HotplugSource() = default;
  /// Starts delivering notices (from a thread of the source's own); false when notices cannot be had.
  virtual bool Start(Handler handler) = 0;
  /// Stops delivering; no notice arrives after it returns.
  virtual void Stop() = 0;
};

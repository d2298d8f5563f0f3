// Whether a served keyboard is present and in which connection mode, and the
// reaction to interfaces coming and going. Rescans run on the worker; device
// notices arrive on another thread; the flags they share are guarded.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "device/HotplugSource.h"

class HidManager;

/// The device list's presence marks.
class PresenceView {
 public:
  virtual ~PresenceView() = default;
  /// Marks every keyboard of the list absent.
  virtual void ResetAllState() = 0;
  /// Marks the keyboard of this device type present (1).
  virtual void SetDeviceState(int deviceType, int state) = 0;
};

/// Where device notices turn into rescans.
class PresenceJobs {
 public:
  virtual ~PresenceJobs() = default;
  /// A served keyboard's interface appeared: rescan.
  virtual void DeviceArrived() = 0;
  /// A connected keyboard's interface is gone: rescan.
  virtual void DeviceRemoved() = 0;
};

class DevicePresence {
 public:
  /// The device type the program's presence and connection mode are about.
  static constexpr int kServedDeviceType = 201;

  /// Watches the catalogue's connection rows through the manager.
  DevicePresence(HidManager& hid, std::vector<CatalogueEntry> connections);

  /// Reopens every vendor interface and works out which catalogue rows are present.
  void rescan(PresenceView* view);
  /// The connection mode of the keyboard of this type (the served one unless told): 0 wired, 1 or 2, -1 none.
  int connectionMode(int deviceType = kServedDeviceType);
  /// Feeds the source's notices to onDeviceChange, queueing on `jobs`; false when the source cannot start.
  bool watch(HotplugSource& source, PresenceJobs& jobs);
  /// Handles one device notice; the name is compared upper-cased.
  void onDeviceChange(DeviceEvent event, const std::string& interfaceName, PresenceJobs& jobs);

  /// The last rescan opened at least one vendor interface.
  bool interfacesFound() const { return interfacesFound_; }
  /// The last rescan matched at least one catalogue row.
  bool keyboardMatched() const { return keyboardMatched_; }
  /// The connected flag of a catalogue row.
  bool connected(std::size_t row) const;

 private:
  HidManager& hid_;
  std::vector<CatalogueEntry> connections_;
  mutable std::mutex lock_;  // guards the rows' connected flags
  std::atomic<bool> interfacesFound_{false};
  std::atomic<bool> keyboardMatched_{false};
};

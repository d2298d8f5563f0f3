#include "device/DevicePresence.h"

#include <algorithm>

#include "device/HidManager.h"
#include "zephui/Text.h"

namespace {

// Interfaces of this Bluetooth HID service identifier are never ours.
constexpr std::string_view kIgnoredService = "00001812-0000-1000-8000-00805F9B34FB";

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
  return text;
}

}  // namespace

DevicePresence::DevicePresence(HidManager& hid, std::vector<CatalogueEntry> connections)
    : hid_(hid), connections_(std::move(connections)) {}

void DevicePresence::rescan(PresenceView* view) {
  keyboardMatched_ = false;
  hid_.closeAll();
  hid_.scan();
  hid_.setOpen(true);
  hid_.setCurrentDeviceType(0);
  std::vector<HidEntryInfo> entries;
  hid_.listEntries(entries);
  if (view != nullptr) view->ResetAllState();
  std::lock_guard lock(lock_);
  for (CatalogueEntry& row : connections_) {
    if (hid_.findEntry(row.vendorId, row.productId, row.name, row.mode) < 0) continue;
    keyboardMatched_ = true;
    row.present = 1;
    if (view != nullptr) view->SetDeviceState(row.deviceType, 1);
  }
  interfacesFound_ = !entries.empty();
}

int DevicePresence::connectionMode(int deviceType) {
  hid_.setCurrentDeviceType(deviceType);
  return hid_.activeMode();
}

bool DevicePresence::watch(HotplugSource& source, PresenceJobs& jobs) {
  return source.Start([this, &jobs](DeviceEvent event, const std::string& path) { onDeviceChange(event, path, jobs); });
}

void DevicePresence::onDeviceChange(DeviceEvent event, const std::string& interfaceName, PresenceJobs& jobs) {
  if (event != DeviceEvent::Arrival && event != DeviceEvent::RemoveComplete) return;
  const std::string name = Upper(interfaceName);
  bool arrived = false;
  bool removed = false;
  {
    std::lock_guard lock(lock_);
    for (CatalogueEntry& row : connections_) {
      if (event == DeviceEvent::RemoveComplete && row.present == 0) continue;
      if (name.find(kIgnoredService) != std::string::npos) return;
      if (name.find(ZephUI::ToUtf8(row.interfacePattern)) == std::string::npos) continue;
      if (event == DeviceEvent::Arrival) {
        arrived = true;
      } else {
        row.present = 0;
        removed = true;
      }
      break;
    }
  }
  // Jobs are queued outside the lock: one lock at a time.
  if (arrived) jobs.DeviceArrived();
  if (removed) jobs.DeviceRemoved();
}

bool DevicePresence::connected(std::size_t row) const {
  std::lock_guard lock(lock_);
  return row < connections_.size() && connections_[row].present != 0;
}

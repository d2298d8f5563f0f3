#include "macros/filter/UdevEvdevDiscovery.h"

#include <fcntl.h>
#include <libudev.h>
#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <string_view>

#include "macros/filter/LibevdevDevice.h"

namespace {

using NodeFilter = std::function<bool(struct udev_device*)>;

bool isEventNode(const char* devnode) {
  return devnode != nullptr && std::string_view(devnode).starts_with("/dev/input/event");
}

unsigned long hexAttribute(struct udev_device* device, const char* name) {
  const char* text = udev_device_get_sysattr_value(device, name);
  return text ? std::strtoul(text, nullptr, 16) : 0;
}

// Every /dev/input/eventN node of the "input" subsystem that the filter accepts.
std::vector<std::string> enumerateEventNodes(const char* property, const NodeFilter& accept) {
  std::vector<std::string> nodes;
  struct udev* udev = udev_new();
  if (!udev) return nodes;
  struct udev_enumerate* enumerate = udev_enumerate_new(udev);
  udev_enumerate_add_match_subsystem(enumerate, "input");
  if (property) udev_enumerate_add_match_property(enumerate, property, "1");
  udev_enumerate_scan_devices(enumerate);
  struct udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
    struct udev_device* device = udev_device_new_from_syspath(udev, udev_list_entry_get_name(entry));
    if (!device) continue;
    const char* devnode = udev_device_get_devnode(device);
    if (isEventNode(devnode) && accept(device)) nodes.emplace_back(devnode);
    udev_device_unref(device);
  }
  udev_enumerate_unref(enumerate);
  udev_unref(udev);
  std::ranges::sort(nodes);
  return nodes;
}

}  // namespace

bool UdevEvdevDiscovery::matchesIds(struct udev_device* device, std::span<const UsbId> ids) {
  // The ids live on the parent inputN device, whatever bus the keyboard is on.
  struct udev_device* input = udev_device_get_parent_with_subsystem_devtype(device, "input", nullptr);
  if (!input) return false;
  // uinput devices (our own pass-through clones among them) carry the ids they
  // were given; grabbing them would feed the filter its own output.
  if (hexAttribute(input, "id/bustype") == BUS_VIRTUAL) return false;
  const UsbId id{static_cast<std::uint16_t>(hexAttribute(input, "id/vendor")),
                 static_cast<std::uint16_t>(hexAttribute(input, "id/product"))};
  return std::ranges::find(ids, id) != ids.end();
}

std::vector<std::string> UdevEvdevDiscovery::findDevices(std::span<const UsbId> ids) {
  return enumerateEventNodes(nullptr, [ids](struct udev_device* device) { return matchesIds(device, ids); });
}

std::vector<std::string> UdevEvdevDiscovery::findKeyboards() {
  return enumerateEventNodes("ID_INPUT_KEYBOARD", [](struct udev_device*) { return true; });
}

OpenResult UdevEvdevDiscovery::open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {nullptr, statusOf(errno)};
  auto device = LibevdevDevice::fromFd(fd, path);
  if (!device) return {nullptr, statusOf(errno)};
  return {std::move(device), OpenStatus::Opened};
}

OpenStatus UdevEvdevDiscovery::statusOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return OpenStatus::PermissionDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return OpenStatus::Missing;
    default:
      return OpenStatus::Failed;
  }
}

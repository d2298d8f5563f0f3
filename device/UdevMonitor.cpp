#include "device/UdevMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

#include <string>

namespace {

DeviceEvent EventOf(const char* action) {
  const std::string a = action != nullptr ? action : "";
  if (a == "add") return DeviceEvent::Arrival;
  if (a == "remove") return DeviceEvent::RemoveComplete;
  return DeviceEvent::Other;
}

}  // namespace

UdevMonitor::~UdevMonitor() { Stop(); }

bool UdevMonitor::Start(Handler handler) {
  if (thread_.joinable()) return false;
  udev_ = udev_new();
  monitor_ = udev_ != nullptr ? udev_monitor_new_from_netlink(udev_, "udev") : nullptr;
  stopFd_ = eventfd(0, EFD_CLOEXEC);
  const bool ready = monitor_ != nullptr && stopFd_ >= 0 &&
                     udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) >= 0 &&
                     udev_monitor_enable_receiving(monitor_) >= 0;
  if (!ready) {
    Stop();
    return false;
  }
  thread_ = std::thread(&UdevMonitor::Run, this, std::move(handler));
  return true;
}

void UdevMonitor::Stop() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(stopFd_, &one, sizeof one);
    thread_.join();
  }
  if (monitor_ != nullptr) udev_monitor_unref(monitor_);
  if (udev_ != nullptr) udev_unref(udev_);
  if (stopFd_ >= 0) close(stopFd_);
  monitor_ = nullptr;
  udev_ = nullptr;
  stopFd_ = -1;
}

void UdevMonitor::Run(Handler handler) {
  pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {stopFd_, POLLIN, 0}};
  while (poll(fds, 2, -1) >= 0 || errno == EINTR) {
    if ((fds[1].revents & POLLIN) != 0) return;
    if ((fds[0].revents & POLLIN) == 0) continue;
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (device == nullptr) continue;
    // The device path carries the bus type and the vendor and product ids.
    const char* path = udev_device_get_devpath(device);
    handler(EventOf(udev_device_get_action(device)), path != nullptr ? path : "");
    udev_device_unref(device);
  }
}

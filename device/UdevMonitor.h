// Hot-plug notices from udev: a monitor on the hidraw subsystem, read on a
// thread of its own that wakes for udev events or for Stop.
#pragma once

#include <atomic>
#include <thread>

#include "device/HotplugSource.h"

class UdevMonitor : public HotplugSource {
 public:
  UdevMonitor() = default;
  ~UdevMonitor() override;
  UdevMonitor(const UdevMonitor&) = delete;
  UdevMonitor& operator=(const UdevMonitor&) = delete;

  /// Opens the monitor and starts its thread; false without udev.
  bool Start(Handler handler) override;
  /// Ends the thread and closes the monitor.
  void Stop() override;

 private:
  void Run(Handler handler);

  int stopFd_ = -1;
  struct udev* udev_ = nullptr;
  struct udev_monitor* monitor_ = nullptr;
  std::thread thread_;
};

// A hot-plug source a test drives by hand: Notify delivers one notice the way
// the udev monitor would, from the calling thread.
#pragma once

#include <mutex>
#include <string>

#include "device/HotplugSource.h"

class FakeHotplugSource : public HotplugSource {
 public:
  /// Remembers the handler; fails when told to.
  bool Start(Handler handler) override {
    std::lock_guard lock(mutex_);
    if (refuseStart) return false;
    handler_ = std::move(handler);
    return true;
  }
  /// Forgets the handler; later notices go nowhere.
  void Stop() override {
    std::lock_guard lock(mutex_);
    handler_ = nullptr;
  }
  /// Delivers one notice; false when nobody listens.
  bool Notify(DeviceEvent event, const std::string& path) {
    Handler handler;
    {
      std::lock_guard lock(mutex_);
      handler = handler_;
    }
    if (!handler) return false;
    handler(event, path);
    return true;
  }

  bool refuseStart = false;  ///< makes Start fail, as without udev

 private:
  std::mutex mutex_;
  Handler handler_;
};

// An event device on libevdev. Reads are non-blocking underneath: readEvent
// polls the device and an eventfd, so another thread can cancel a read by
// writing to the eventfd.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "macros/filter/EvdevDevice.h"

struct libevdev;

class LibevdevDevice : public EvdevDevice {
 public:
  /// Wraps an open, non-blocking fd (taken over, closed with the device); null and errno set on failure.
  static std::unique_ptr<LibevdevDevice> fromFd(int fd, const std::string& path);
  /// Frees libevdev and closes both descriptors.
  ~LibevdevDevice() override;
  LibevdevDevice(const LibevdevDevice&) = delete;
  LibevdevDevice& operator=(const LibevdevDevice&) = delete;

  /// The device node.
  const std::string& path() const override { return path_; }
  /// The kernel's device name.
  const std::string& name() const override { return name_; }
  /// Vendor id from the device's input id.
  std::uint16_t vendorId() const override;
  /// Product id from the device's input id.
  std::uint16_t productId() const override;
  /// Every EV_KEY code the device announces.
  std::vector<int> keyCodes() const override;
  /// Whether it announces EV_REL.
  bool hasRelativeAxes() const override;

  /// EVIOCGRAB through libevdev_grab.
  bool grab() override;
  /// Releases the grab.
  void ungrab() override;
  /// Keys libevdev's state shows as down.
  std::vector<int> heldKeys() const override;

  /// Next event; SYN_DROPPED is resolved through libevdev's sync mode and not reported itself.
  ReadStatus readEvent(InputEvent& event) override;
  /// Wakes the reader for good.
  void cancelRead() override;
  /// errno of the last failure.
  int lastError() const override { return lastError_.load(); }

 private:
  LibevdevDevice(int fd, int cancelFd, struct libevdev* dev, std::string path);
  int nextEvent(InputEvent& event);
  ReadStatus waitReadable();

  int fd_;
  int cancelFd_;
  struct libevdev* dev_;
  std::string path_;
  std::string name_;
  bool syncing_ = false;
  std::atomic<bool> cancelled_{false};
  std::atomic<int> lastError_{0};
};

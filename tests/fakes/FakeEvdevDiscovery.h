// Discovery over scripted devices: lists the scripts that are plugged in and
// opens FakeEvdevDevice objects on them, or fails as each script says.
#pragma once

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "macros/filter/EvdevDiscovery.h"
#include "tests/fakes/FakeEvdevDevice.h"

class FakeEvdevDiscovery : public EvdevDiscovery {
 public:
  /// Adds a device node.
  void add(std::shared_ptr<FakeEvdevDevice::Script> script) {
    std::lock_guard lock(mutex_);
    scripts_.push_back(std::move(script));
  }

  /// Present, physical nodes with one of the ids.
  std::vector<std::string> findDevices(std::span<const UsbId> ids) override {
    return list([ids](const FakeEvdevDevice::Identity& identity) {
      const UsbId id{identity.vendorId, identity.productId};
      return !identity.virtualBus && std::ranges::find(ids, id) != ids.end();
    });
  }
  /// Present keyboard nodes.
  std::vector<std::string> findKeyboards() override {
    return list([](const FakeEvdevDevice::Identity& identity) { return identity.keyboard; });
  }
  /// A device on the script of that path, or the script's open failure.
  OpenResult open(const std::string& path) override {
    std::lock_guard lock(mutex_);
    ++opens_;
    for (const auto& script : scripts_) {
      if (script->identity().path != path) continue;
      const OpenStatus status = script->openStatus();
      if (status != OpenStatus::Opened) return {nullptr, status};
      return {std::make_unique<FakeEvdevDevice>(script), OpenStatus::Opened};
    }
    return {nullptr, OpenStatus::Missing};
  }

  /// open calls so far.
  int opens() {
    std::lock_guard lock(mutex_);
    return opens_;
  }

 private:
  template <class Accept>
  std::vector<std::string> list(Accept accept) {
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    for (const auto& script : scripts_) {
      if (script->present() && accept(script->identity())) paths.push_back(script->identity().path);
    }
    return paths;
  }

  std::mutex mutex_;
  int opens_ = 0;
  std::vector<std::shared_ptr<FakeEvdevDevice::Script>> scripts_;
};

// The demo build's virtual keyboard: always opens and takes every report,
// keeping only the last one, so a long demo session holds no growing log.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "macros/virtualdevice/VirtualHidBackend.h"

class DemoVirtualHidBackend : public VirtualHidBackend {
 public:
  bool Open() override {
    open_ = true;
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int Write(std::span<const std::uint8_t, 64> bytes) override {
    std::copy(bytes.begin(), bytes.end(), last_.begin());
    return static_cast<int>(bytes.size());
  }

 private:
  bool open_ = false;
  std::array<std::uint8_t, 64> last_{};
};

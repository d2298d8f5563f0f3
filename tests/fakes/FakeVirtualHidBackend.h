// A virtual device backend that records every 64-byte write, and can refuse
// to open. Not locked: VHidev calls it under its own lock; read it only while
// no other thread writes.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "macros/virtualdevice/VirtualHidBackend.h"

class FakeVirtualHidBackend : public VirtualHidBackend {
 public:
  using Write64 = std::array<std::uint8_t, 64>;

  /// Opens unless refuseOpen is set; an open device stays as it is.
  bool Open() override {
    ++openCount;
    if (!open_ && !refuseOpen) open_ = true;
    return open_;
  }
  /// Closes.
  void Close() override {
    if (open_) ++closeCount;
    open_ = false;
  }
  /// True while open.
  bool IsOpen() const override { return open_; }
  /// Records the write; 64.
  int Write(std::span<const std::uint8_t, 64> bytes) override {
    Write64 copy;
    std::copy(bytes.begin(), bytes.end(), copy.begin());
    writes.push_back(copy);
    return static_cast<int>(bytes.size());
  }

  std::vector<Write64> writes;  ///< every write, in order
  int openCount = 0;            ///< Open calls
  int closeCount = 0;           ///< closes of an open device
  bool refuseOpen = false;      ///< makes Open fail while closed

 private:
  bool open_ = false;
};

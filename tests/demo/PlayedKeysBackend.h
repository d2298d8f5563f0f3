// The demo build's virtual keyboard: always opens, takes every report and
// notes the keyboard usages each report newly presses, so a driving test can
// see what an assignment or a macro played. Only the last few presses are
// kept, so a long demo session holds no growing log.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <vector>

#include "macros/virtualdevice/VirtualHidBackend.h"

/// The usages the virtual keyboard pressed, newest last; written under the device's lock, read from any thread.
class PlayedKeyLog {
 public:
  /// Presses kept; older ones are forgotten.
  static constexpr std::size_t kKept = 32;

  /// Notes one pressed usage.
  void Add(int usage);
  /// The kept presses, oldest first.
  std::vector<int> Usages() const;
  /// Presses noted so far, the forgotten ones too.
  std::uint64_t Count() const;

 private:
  mutable std::mutex mutex_;  // guards everything below
  std::deque<int> usages_;
  std::uint64_t count_ = 0;
};

class PlayedKeysBackend : public VirtualHidBackend {
 public:
  /// A backend noting presses in `log`, which must outlive it.
  explicit PlayedKeysBackend(PlayedKeyLog& log) : log_(log) {}

  bool Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  int Write(std::span<const std::uint8_t, 64> bytes) override;

 private:
  static constexpr std::size_t kBitmapBytes = 33;

  PlayedKeyLog& log_;
  bool open_ = false;
  std::array<std::uint8_t, kBitmapBytes> held_{};  // the keyboard report last written
};

// The keys the demo's key filter passed through to its clones, newest last,
// kept for the "Simulated keyboard" window. Written on the filter's reader
// threads, read on the user-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

class PassedKeyLog {
 public:
  /// Presses kept; older ones are forgotten.
  static constexpr std::size_t kKept = 8;

  /// Notes one key press (evdev code) that went through a clone.
  void Add(int code);
  /// The kept presses, oldest first.
  std::vector<int> Keys() const;
  /// Presses noted so far; a viewer reads Keys again when it moves.
  std::uint64_t ChangeCount() const;

 private:
  mutable std::mutex mutex_;  // guards everything below
  std::deque<int> keys_;
  std::uint64_t changes_ = 0;
};

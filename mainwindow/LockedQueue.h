// A FIFO that several threads may use at once: producers append at the back,
// one consumer looks at and removes the front. Each call holds the lock only
// for its own list operation.
#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

template <typename T>
class LockedQueue {
 public:
  /// Appends at the back.
  void PushBack(T value) {
    std::lock_guard lock(mutex_);
    items_.push_back(std::move(value));
  }

  /// A copy of the front entry, or nothing when the queue is empty.
  std::optional<T> Front() const {
    std::lock_guard lock(mutex_);
    if (items_.empty()) return std::nullopt;
    return items_.front();
  }

  /// Appends at the back and drops the equal entries waiting behind the front
  /// (the front may already be in hand), so the value waits once, last.
  void MoveToBack(const T& value) {
    std::lock_guard lock(mutex_);
    if (!items_.empty()) items_.erase(std::remove(items_.begin() + 1, items_.end(), value), items_.end());
    items_.push_back(value);
  }

  /// Removes the front entry; does nothing when the queue is empty.
  void PopFront() {
    std::lock_guard lock(mutex_);
    if (!items_.empty()) items_.pop_front();
  }

  /// Removes and returns the front entry, or nothing when the queue is empty.
  std::optional<T> TakeFront() {
    std::lock_guard lock(mutex_);
    if (items_.empty()) return std::nullopt;
    std::optional<T> front(std::move(items_.front()));
    items_.pop_front();
    return front;
  }

  /// Number of entries at this moment.
  std::size_t Size() const {
    std::lock_guard lock(mutex_);
    return items_.size();
  }

 private:
  mutable std::mutex mutex_;
  std::deque<T> items_;
};

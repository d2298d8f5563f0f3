// A bounded hand-over queue between reader threads and the one thread that
// acts on their events. A consumer blocked in pop can be woken for good with
// cancel (until resumed), so stopping never waits for the next event.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

template <class T>
class CancellableQueue {
 public:
  /// A queue that keeps at most `capacity` items, dropping the oldest beyond that.
  explicit CancellableQueue(std::size_t capacity = 256) : capacity_(capacity) {}

  /// Adds an item and wakes the consumer.
  void push(T item) {
    {
      std::lock_guard lock(mutex_);
      if (items_.size() >= capacity_) items_.pop_front();
      items_.push_back(std::move(item));
    }
    ready_.notify_all();
  }

  /// The next item; nullopt when cancelled or when `timeout` (if positive) passes first.
  std::optional<T> pop(std::chrono::milliseconds timeout = std::chrono::milliseconds::zero()) {
    std::unique_lock lock(mutex_);
    const auto woken = [this] { return cancelled_ || !items_.empty(); };
    if (timeout > std::chrono::milliseconds::zero()) {
      ready_.wait_for(lock, timeout, woken);
    } else {
      ready_.wait(lock, woken);
    }
    if (cancelled_ || items_.empty()) return std::nullopt;
    T item = std::move(items_.front());
    items_.pop_front();
    return item;
  }

  /// The next item if one is queued, without waiting (cancel or not).
  std::optional<T> tryPop() {
    std::lock_guard lock(mutex_);
    if (items_.empty()) return std::nullopt;
    T item = std::move(items_.front());
    items_.pop_front();
    return item;
  }

  /// Makes the current and every later pop return nullopt at once.
  void cancel() {
    {
      std::lock_guard lock(mutex_);
      cancelled_ = true;
    }
    ready_.notify_all();
  }

  /// Ends a cancel; queued items stay.
  void resume() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
  }

  /// Forgets every queued item.
  void clear() {
    std::lock_guard lock(mutex_);
    items_.clear();
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<T> items_;
  std::size_t capacity_;
  bool cancelled_ = false;
};

// The message queue of one thread: posted messages and native events in
// arrival order, calls sent from other threads, and the quit request. Any
// thread may add to it; only the owning thread takes from it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "backend/NativeEvent.h"
#include "backend/NativeWaiter.h"
#include "backend/SentCall.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// One thread's queue.
class ThreadQueue {
 public:
  /// A queued entry: a ready message, or a native event still to be turned into messages.
  using Item = std::variant<MSG, NativeEvent>;

  /// A queue for the calling thread, sleeping through `waiter`.
  explicit ThreadQueue(std::unique_ptr<NativeWaiter> waiter);
  ~ThreadQueue();
  ThreadQueue(const ThreadQueue&) = delete;
  ThreadQueue& operator=(const ThreadQueue&) = delete;

  /// True when called on the owning thread.
  bool IsOwnerThread() const;
  /// Appends an entry and wakes the thread; false once the thread has ended.
  bool Post(Item item);
  /// Puts entries in front of everything queued, in the given order.
  void PushFront(std::vector<Item> items);
  /// Takes the oldest entry.
  std::optional<Item> PopPosted();
  /// Records a quit request.
  void PostQuit(int exitCode);
  /// Takes the quit request, if any.
  std::optional<int> TakeQuit();
  /// Queues a call from another thread; false (and no call) once the thread has ended.
  bool AcceptCall(SentCall& call);
  /// Takes the oldest call from another thread.
  SentCall* PopCall();
  /// Records the result of a call this thread sent and wakes it; called by the thread that ran it.
  void CompleteCall(SentCall& call, LRESULT result);
  /// True once a call this thread sent was completed.
  bool IsCompleted(const SentCall& call);
  /// Wakes the owning thread.
  void Wake();
  /// Sleeps the owning thread until woken, native events arrive or the deadline passes.
  void Wait(std::optional<std::uint64_t> deadlineMs);
  /// Drops every queued entry and the quit request.
  void Clear();
  /// Marks the thread ended and completes waiting calls with 0.
  void Close();

  /// Text typed by the key-down retrieved last (owning thread only).
  std::u16string lastKeyText;
  /// That key-down message (owning thread only).
  MSG lastKeyMessage;

 private:
  std::mutex mutex_;
  std::deque<Item> posted_;
  std::deque<SentCall*> calls_;
  std::optional<int> quit_;
  bool closed_ = false;
  const std::thread::id thread_;
  const std::unique_ptr<NativeWaiter> waiter_;
};

}  // namespace ZephUI::Backend

#include "backend/ThreadQueue.h"

#include <utility>

namespace ZephUI::Backend {

ThreadQueue::ThreadQueue(std::unique_ptr<NativeWaiter> waiter)
    : thread_(std::this_thread::get_id()), waiter_(std::move(waiter)) {}

ThreadQueue::~ThreadQueue() { Close(); }

bool ThreadQueue::IsOwnerThread() const { return std::this_thread::get_id() == thread_; }

bool ThreadQueue::Post(Item item) {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    posted_.push_back(std::move(item));
  }
  Wake();
  return true;
}

void ThreadQueue::PushFront(std::vector<Item> items) {
  std::lock_guard lock(mutex_);
  for (auto it = items.rbegin(); it != items.rend(); ++it) posted_.push_front(std::move(*it));
}

std::optional<ThreadQueue::Item> ThreadQueue::PopPosted() {
  std::lock_guard lock(mutex_);
  if (posted_.empty()) return std::nullopt;
  Item item = std::move(posted_.front());
  posted_.pop_front();
  return item;
}

void ThreadQueue::PostQuit(int exitCode) {
  {
    std::lock_guard lock(mutex_);
    quit_ = exitCode;
  }
  Wake();
}

std::optional<int> ThreadQueue::TakeQuit() {
  std::lock_guard lock(mutex_);
  return std::exchange(quit_, std::nullopt);
}

bool ThreadQueue::AcceptCall(SentCall& call) {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    calls_.push_back(&call);
  }
  Wake();
  return true;
}

SentCall* ThreadQueue::PopCall() {
  std::lock_guard lock(mutex_);
  if (calls_.empty()) return nullptr;
  SentCall* call = calls_.front();
  calls_.pop_front();
  return call;
}

void ThreadQueue::CompleteCall(SentCall& call, LRESULT result) {
  {
    std::lock_guard lock(mutex_);
    call.result = result;
    call.done = true;
  }
  Wake();
}

bool ThreadQueue::IsCompleted(const SentCall& call) {
  std::lock_guard lock(mutex_);
  return call.done;
}

void ThreadQueue::Wake() { waiter_->Wake(); }

void ThreadQueue::Wait(std::optional<std::uint64_t> deadlineMs) { waiter_->Wait(deadlineMs); }

void ThreadQueue::Clear() {
  std::lock_guard lock(mutex_);
  posted_.clear();
  quit_.reset();
}

void ThreadQueue::Close() {
  std::deque<SentCall*> waiting;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    waiting.swap(calls_);
    posted_.clear();
  }
  // The senders hold their own queues alive through the calls.
  for (SentCall* call : waiting) call->sender->CompleteCall(*call, 0);
}

}  // namespace ZephUI::Backend

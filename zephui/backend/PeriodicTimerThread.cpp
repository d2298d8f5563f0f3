#include "backend/PeriodicTimerThread.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "backend/NativeBackend.h"

namespace ZephUI::Backend {

PeriodicTimerThread::PeriodicTimerThread(const NativeBackend& clock) : clock_(clock) {}

PeriodicTimerThread::~PeriodicTimerThread() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

std::uint32_t PeriodicTimerThread::Start(std::uint32_t periodMs, PeriodicCallback callback) {
  std::uint32_t id = 0;
  {
    std::lock_guard lock(mutex_);
    id = nextId_++;
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    entries_.push_back(Entry{id, period, clock_.NowMs() + period, std::move(callback)});
    ++generation_;
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  }
  changed_.notify_all();
  return id;
}

bool PeriodicTimerThread::Stop(std::uint32_t id) {
  std::unique_lock lock(mutex_);
  const auto removed = std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
  if (std::this_thread::get_id() != thread_.get_id()) {
    changed_.wait(lock, [&] { return firingId_ != id; });
  }
  ++generation_;
  changed_.notify_all();
  return removed > 0;
}

bool PeriodicTimerThread::Pause(std::uint32_t id) {
  std::lock_guard lock(mutex_);
  Entry* entry = Find(id);
  if (entry == nullptr) return false;
  // A wake-up asked while the caller was deciding to park wins over the park.
  if (std::exchange(entry->resumeAsked, false)) return false;
  entry->paused = true;
  return true;
}

void PeriodicTimerThread::Resume(std::uint32_t id) {
  {
    std::lock_guard lock(mutex_);
    Entry* entry = Find(id);
    if (entry == nullptr) return;
    if (!entry->paused) {
      entry->resumeAsked = true;
      return;
    }
    entry->paused = false;
    entry->dueMs = clock_.NowMs() + entry->periodMs;
    ++generation_;
  }
  changed_.notify_all();
}

void PeriodicTimerThread::StopAll() {
  std::unique_lock lock(mutex_);
  entries_.clear();
  if (std::this_thread::get_id() != thread_.get_id()) {
    changed_.wait(lock, [&] { return firingId_ == 0; });
  }
  ++generation_;
  changed_.notify_all();
}

std::optional<std::uint64_t> PeriodicTimerThread::NextDue() {
  std::lock_guard lock(mutex_);
  std::optional<std::uint64_t> due;
  for (const Entry& entry : entries_) {
    if (!entry.paused && (!due || entry.dueMs < *due)) due = entry.dueMs;
  }
  return due;
}

void PeriodicTimerThread::CatchUp() {
  std::unique_lock lock(mutex_);
  if (!thread_.joinable() || std::this_thread::get_id() == thread_.get_id()) return;
  const std::uint64_t target = clock_.NowMs();
  ++generation_;
  changed_.notify_all();
  changed_.wait(lock, [&] { return caughtUpTo_ >= target || stopping_; });
}

PeriodicTimerThread::Entry* PeriodicTimerThread::EarliestDue(std::uint64_t now) {
  Entry* earliest = nullptr;
  for (Entry& entry : entries_) {
    if (!entry.paused && entry.dueMs <= now && (earliest == nullptr || entry.dueMs < earliest->dueMs)) earliest = &entry;
  }
  return earliest;
}

PeriodicTimerThread::Entry* PeriodicTimerThread::Find(std::uint32_t id) {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
  return it != entries_.end() ? &*it : nullptr;
}

void PeriodicTimerThread::Sleep(std::unique_lock<std::mutex>& lock) {
  const std::uint64_t seen = generation_;
  const auto woken = [&] { return stopping_ || generation_ != seen; };
  std::optional<std::uint64_t> due;
  for (const Entry& entry : entries_) {
    if (!entry.paused && (!due || entry.dueMs < *due)) due = entry.dueMs;
  }
  // With every timer parked the thread sleeps until someone resumes or starts one.
  if (clock_.Clock() == ClockKind::Virtual || !due) {
    changed_.wait(lock, woken);
    return;
  }
  const std::uint64_t now = clock_.NowMs();
  changed_.wait_for(lock, std::chrono::milliseconds(*due > now ? *due - now : 0), woken);
}

void PeriodicTimerThread::Run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const std::uint64_t now = clock_.NowMs();
    Entry* entry = EarliestDue(now);
    if (entry == nullptr) {
      caughtUpTo_ = now;
      changed_.notify_all();
      Sleep(lock);
      continue;
    }
    entry->dueMs += entry->periodMs;
    // A real clock skips the ticks it missed; a virtual one delivers each of them.
    if (clock_.Clock() == ClockKind::Real && entry->dueMs <= now) entry->dueMs = now + entry->periodMs;
    const std::uint32_t id = entry->id;
    PeriodicCallback callback = entry->callback;
    firingId_ = id;
    lock.unlock();
    callback(id);
    lock.lock();
    firingId_ = 0;
    changed_.notify_all();
  }
}

}  // namespace ZephUI::Backend

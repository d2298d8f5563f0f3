#include "core/ControlDisposal.h"

#include <utility>

#include "core/ManagerMessages.h"
#include "zephui/MControl.h"
#include "zephui/Message.h"

namespace ZephUI {

ControlDisposal::ControlDisposal(std::thread::id windowThread) : windowThread_(windowThread) {}

ControlDisposal::~ControlDisposal() {
  // The last owner is gone: no scope and no tick can reach these any more.
  std::vector<std::unique_ptr<MControl>> parked;
  {
    std::lock_guard lock(lock_);
    parked.swap(parked_);
    quiesce_ = nullptr;
  }
  parked.clear();
}

void ControlDisposal::Attach(HWND hwnd, std::thread::id windowThread) {
  std::lock_guard lock(lock_);
  hwnd_ = hwnd;
  windowThread_ = windowThread;
}

void ControlDisposal::SetQuiesce(std::function<void()> waitForTicks) {
  std::lock_guard lock(lock_);
  quiesce_ = std::move(waitForTicks);
}

bool ControlDisposal::OnWindowThread() const {
  std::lock_guard lock(lock_);
  return std::this_thread::get_id() == windowThread_;
}

bool ControlDisposal::Enter() {
  if (!OnWindowThread()) return false;
  ++depth_;
  return true;
}

void ControlDisposal::Leave() {
  if (--depth_ == 0) Flush();
}

bool ControlDisposal::InScope() const { return OnWindowThread() && depth_ > 0; }

void ControlDisposal::Dispose(std::unique_ptr<MControl> control) {
  if (!control) return;
  const bool windowThread = OnWindowThread();
  {
    std::lock_guard lock(lock_);
    parked_.push_back(std::move(control));
  }
  if (!windowThread) {
    Wake();
    return;
  }
  if (depth_ == 0) Flush();
}

void ControlDisposal::Defer(std::shared_ptr<void> keepAlive) {
  std::lock_guard lock(lock_);
  deferred_.push_back(std::move(keepAlive));
}

void ControlDisposal::FlushIfIdle() {
  if (OnWindowThread() && depth_ == 0) Flush();
}

void ControlDisposal::Flush() {
  for (;;) {
    std::vector<std::unique_ptr<MControl>> parked;
    std::vector<std::shared_ptr<void>> deferred;
    std::function<void()> quiesce;
    {
      std::lock_guard lock(lock_);
      parked.swap(parked_);
      deferred.swap(deferred_);
      quiesce = quiesce_;
    }
    if (parked.empty() && deferred.empty()) return;
    // A tick holds the animation lock while it calls controls; once we had it, none runs on these.
    if (quiesce) quiesce();
    parked.clear();
    deferred.clear();
  }
}

void ControlDisposal::Wake() {
  HWND hwnd = nullptr;
  {
    std::lock_guard lock(lock_);
    hwnd = hwnd_;
  }
  if (hwnd != nullptr) PostMessage(hwnd, kManagerWakeMessage, 0, 0);
}

}  // namespace ZephUI

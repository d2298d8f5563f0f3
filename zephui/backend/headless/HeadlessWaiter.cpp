#include "backend/headless/HeadlessWaiter.h"

#include "backend/headless/HeadlessBackend.h"

namespace ZephUI::Backend {

HeadlessWaiter::HeadlessWaiter(HeadlessBackend& backend) : backend_(backend) { backend_.AddWaiter(this); }

HeadlessWaiter::~HeadlessWaiter() { backend_.RemoveWaiter(this); }

void HeadlessWaiter::Wake() {
  signalled_.store(true);
  signalled_.notify_all();
}

void HeadlessWaiter::Wait(std::optional<std::uint64_t> deadlineMs) {
  if (deadlineMs && backend_.NowMs() >= *deadlineMs) return;
  if (deadlineMs && backend_.Mode() == Headless::ClockMode::AutoAdvance) {
    backend_.Advance(*deadlineMs - backend_.NowMs());
    return;
  }
  signalled_.wait(false);
  signalled_.store(false);
}

}  // namespace ZephUI::Backend

#include "backend/headless/HeadlessWaiter.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <span>
#include <vector>

#include "backend/FdWatches.h"
#include "backend/headless/HeadlessBackend.h"

namespace ZephUI::Backend {

HeadlessWaiter::HeadlessWaiter(HeadlessBackend& backend)
    : backend_(backend), wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  backend_.AddWaiter(this);
}

HeadlessWaiter::~HeadlessWaiter() {
  backend_.RemoveWaiter(this);
  if (wakeFd_ >= 0) close(wakeFd_);
}

void HeadlessWaiter::Wake() {
  signalled_.store(true);
  signalled_.notify_all();
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = write(wakeFd_, &one, sizeof one);
}

void HeadlessWaiter::Wait(std::optional<std::uint64_t> deadlineMs) {
  if (deadlineMs && backend_.NowMs() >= *deadlineMs) return;
  if (deadlineMs && backend_.Mode() == Headless::ClockMode::AutoAdvance) {
    backend_.Advance(*deadlineMs - backend_.NowMs());
    return;
  }
  if (!FdWatches::OfThisThread().Empty()) {
    PollWatched();
    return;
  }
  signalled_.wait(false);
  signalled_.store(false);
}

// The virtual clock never times the sleep: only a wake-up or a watched source ends it.
void HeadlessWaiter::PollWatched() {
  FdWatches& watches = FdWatches::OfThisThread();
  std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}};
  const int timeout = watches.Prepare(fds, -1);
  if (poll(fds.data(), fds.size(), timeout) < 0) return;
  if ((fds[0].revents & POLLIN) != 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const auto got = read(wakeFd_, &count, sizeof count);
  }
  signalled_.store(false);  // a wake-up after this leaves the eventfd readable for the next sleep
  watches.Serve(std::span<const pollfd>(fds).subspan(1));
}

}  // namespace ZephUI::Backend

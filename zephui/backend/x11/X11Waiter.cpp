#include "backend/x11/X11Waiter.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>
#include <vector>

#include "backend/FdWatches.h"
#include "backend/x11/X11Backend.h"

namespace ZephUI::Backend {
namespace {

// The wake-up eventfd, the X connection and the queued-events signal come before the watched sources.
constexpr std::size_t kOwnFds = 3;

}  // namespace

X11Waiter::X11Waiter(X11Backend& backend) : backend_(backend), wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

X11Waiter::~X11Waiter() {
  if (wakeFd_ >= 0) close(wakeFd_);
}

void X11Waiter::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = write(wakeFd_, &one, sizeof one);
}

void X11Waiter::Wait(std::optional<std::uint64_t> deadlineMs) {
  FdWatches& watches = FdWatches::OfThisThread();
  const bool delivered = backend_.DrainEvents();
  if (delivered && watches.Empty()) return;
  int timeout = -1;
  if (delivered) {
    timeout = 0;  // only a look at the watched sources
  } else if (deadlineMs) {
    const std::uint64_t now = backend_.NowMs();
    timeout = *deadlineMs <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(*deadlineMs - now, INT_MAX));
  }
  std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}, {backend_.ConnectionFd(), POLLIN, 0}, {backend_.PendingFd(), POLLIN, 0}};
  timeout = watches.Prepare(fds, timeout);
  if (poll(fds.data(), fds.size(), timeout) < 0) return;
  if ((fds[0].revents & POLLIN) != 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const auto got = read(wakeFd_, &count, sizeof count);
  }
  if ((fds[1].revents | fds[2].revents) != 0) backend_.DrainEvents();
  watches.Serve(std::span<const pollfd>(fds).subspan(kOwnFds));
}

}  // namespace ZephUI::Backend

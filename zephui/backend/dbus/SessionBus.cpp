#include "backend/dbus/SessionBus.h"

#include <poll.h>
#include <systemd/sd-bus.h>
#include <time.h>

#include <cstdint>
#include <limits>

#include "backend/FdWatches.h"

namespace ZephUI::Backend {
namespace {

std::uint64_t MonotonicUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
}

}  // namespace

std::unique_ptr<SessionBus> SessionBus::Open() {
  sd_bus* bus = nullptr;
  // Connecting to the local socket does not wait for the broker: authentication and Hello go on
  // in the background as the loop serves the descriptor.
  if (sd_bus_open_user(&bus) < 0) return nullptr;
  return std::unique_ptr<SessionBus>(new SessionBus(bus));
}

SessionBus::SessionBus(sd_bus* bus) : bus_(bus) { FdWatches::OfThisThread().Add(*this); }

SessionBus::~SessionBus() {
  FdWatches::Unwatch(*this);
  sd_bus_flush_close_unref(bus_);
}

int SessionBus::Fd() const { return sd_bus_get_fd(bus_); }

short SessionBus::Events() {
  const int events = sd_bus_get_events(bus_);
  return events < 0 ? 0 : static_cast<short>(events);
}

int SessionBus::TimeoutMs() {
  std::uint64_t due = 0;
  if (sd_bus_get_timeout(bus_, &due) < 0 || due == std::numeric_limits<std::uint64_t>::max()) return -1;
  const std::uint64_t now = MonotonicUs();
  if (due <= now) return 0;
  const std::uint64_t ms = (due - now + 999) / 1000;
  return ms > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                          : static_cast<int>(ms);
}

void SessionBus::Serve() {
  // Each call handles at most one message; the next poll only sees what the socket still holds.
  int processed = 0;
  while ((processed = sd_bus_process(bus_, nullptr)) > 0) {
  }
  if (processed < 0 || sd_bus_is_open(bus_) <= 0) {
    // A broken connection stays readable; stop polling it rather than spin.
    FdWatches::OfThisThread().Remove(*this);
    if (closed_) closed_();
  }
}

}  // namespace ZephUI::Backend

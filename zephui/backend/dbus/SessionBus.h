// A connection to the user's session bus, served from the message loop of the
// thread that opened it: its descriptor, wanted events and timeout come from
// sd-bus and every arrival is processed there, so no call ever waits for an
// answer and no thread of its own is needed.
#pragma once

#include <functional>
#include <memory>

#include "backend/FdSource.h"

struct sd_bus;

namespace ZephUI::Backend {

/// One session-bus connection of the calling thread.
class SessionBus final : public FdSource {
 public:
  /// Connects and starts serving from the calling thread's loop; null when there is no session bus.
  static std::unique_ptr<SessionBus> Open();
  /// Stops serving, sends what is still queued and closes (names owned go with it).
  ~SessionBus() override;
  SessionBus(const SessionBus&) = delete;
  SessionBus& operator=(const SessionBus&) = delete;

  /// The sd-bus connection, for the calling thread only.
  sd_bus* Get() const { return bus_; }
  /// Calls `closed` (on this thread, from the loop) once the connection breaks; serving stops then.
  void OnClosed(std::function<void()> closed) { closed_ = std::move(closed); }

  int Fd() const override;
  short Events() override;
  int TimeoutMs() override;
  void Serve() override;

 private:
  explicit SessionBus(sd_bus* bus);

  sd_bus* bus_ = nullptr;
  std::function<void()> closed_;
};

}  // namespace ZephUI::Backend

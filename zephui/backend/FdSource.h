// A file descriptor a thread's message loop serves besides its own: a bus
// connection, a second display connection. Everything here runs on the
// thread that registered the source (FdWatches).
#pragma once

namespace ZephUI::Backend {

/// Something the message loop polls and serves on its own thread.
class FdSource {
 public:
  virtual ~FdSource() = default;

  /// The descriptor to poll; negative when there is none right now.
  virtual int Fd() const = 0;
  /// The poll events wanted now (POLLIN, POLLOUT).
  virtual short Events() = 0;
  /// Milliseconds until the source must be served even without input; -1 for no limit.
  virtual int TimeoutMs() = 0;
  /// Handles whatever arrived; called when the descriptor is ready or the timeout has passed.
  virtual void Serve() = 0;
};

}  // namespace ZephUI::Backend

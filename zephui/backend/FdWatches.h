// The extra descriptors one thread's message loop polls beside its own wake-up
// and display descriptors. Each thread has its own list, used only by that
// thread, so it needs no lock: sources are added, removed, polled and served
// on the thread whose loop waits.
#pragma once

#include <poll.h>

#include <chrono>
#include <span>
#include <vector>

#include "backend/FdSource.h"

namespace ZephUI::Backend {

/// The calling thread's watched sources.
class FdWatches {
 public:
  /// The list of the calling thread.
  static FdWatches& OfThisThread();

  /// Serves `source` from this thread's loop until Remove; the source must outlive its registration.
  void Add(FdSource& source);
  /// Stops serving `source`; safe while sources are being served.
  void Remove(FdSource& source);
  /// Remove on the calling thread's list; also safe while the thread's storage is being torn down.
  static void Unwatch(FdSource& source);
  /// Whether nothing is watched.
  bool Empty() const { return sources_.empty(); }

  /// Appends one entry per source to `fds` and returns `timeoutMs` shortened to the nearest source timeout.
  int Prepare(std::vector<pollfd>& fds, int timeoutMs);
  /// Serves the sources whose entries (those Prepare appended, in order) are ready or whose time came.
  void Serve(std::span<const pollfd> entries);

 private:
  struct Prepared {
    FdSource* source = nullptr;
    int timeoutMs = -1;
  };

  FdWatches() = default;
  ~FdWatches();
  bool Watched(const FdSource* source) const;

  std::vector<FdSource*> sources_;
  std::vector<Prepared> prepared_;
  std::chrono::steady_clock::time_point preparedAt_;
};

}  // namespace ZephUI::Backend

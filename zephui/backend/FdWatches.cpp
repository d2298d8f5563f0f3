#include "backend/FdWatches.h"

#include <algorithm>

namespace ZephUI::Backend {

namespace {

// Trivially destructible, so it still tells the truth after the thread's other storage is gone
// (a source kept in a static object is destroyed after the main thread's list).
thread_local bool listGone = false;

}  // namespace

FdWatches& FdWatches::OfThisThread() {
  thread_local FdWatches watches;
  return watches;
}

FdWatches::~FdWatches() { listGone = true; }

void FdWatches::Unwatch(FdSource& source) {
  if (!listGone) OfThisThread().Remove(source);
}

void FdWatches::Add(FdSource& source) {
  if (!Watched(&source)) sources_.push_back(&source);
}

void FdWatches::Remove(FdSource& source) { std::erase(sources_, &source); }

bool FdWatches::Watched(const FdSource* source) const {
  return std::find(sources_.begin(), sources_.end(), source) != sources_.end();
}

int FdWatches::Prepare(std::vector<pollfd>& fds, int timeoutMs) {
  prepared_.clear();
  preparedAt_ = std::chrono::steady_clock::now();
  for (FdSource* source : sources_) {
    const int own = source->TimeoutMs();
    fds.push_back(pollfd{source->Fd(), source->Events(), 0});
    prepared_.push_back(Prepared{source, own});
    if (own >= 0 && (timeoutMs < 0 || own < timeoutMs)) timeoutMs = own;
  }
  return timeoutMs;
}

void FdWatches::Serve(std::span<const pollfd> entries) {
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - preparedAt_);
  // Serving may add or remove sources (a failed bus gives way to another tray); work on the snapshot.
  const std::vector<Prepared> prepared = std::move(prepared_);
  prepared_.clear();
  for (std::size_t i = 0; i < prepared.size() && i < entries.size(); ++i) {
    const Prepared& p = prepared[i];
    const bool due = p.timeoutMs >= 0 && waited.count() >= p.timeoutMs;
    if ((entries[i].revents != 0 || due) && Watched(p.source)) p.source->Serve();
  }
}

}  // namespace ZephUI::Backend

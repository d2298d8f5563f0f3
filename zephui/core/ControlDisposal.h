// When controls removed from a window's tree may be destroyed: at once on the
// window's thread when no message of the window is being handled, else when
// the outermost message is finished. Shared by the paint manager and its
// dispatch scopes, so a scope still open when the manager goes keeps working.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "zephui/WindowTypes.h"

namespace ZephUI {

class MControl;

/// The graveyard of one window's removed controls.
class ControlDisposal {
 public:
  /// Counts scopes opened on `windowThread`.
  explicit ControlDisposal(std::thread::id windowThread);
  /// Destroys whatever is still parked.
  ~ControlDisposal();
  ControlDisposal(const ControlDisposal&) = delete;
  ControlDisposal& operator=(const ControlDisposal&) = delete;

  /// The window that is woken when a removal comes from another thread, and its thread.
  void Attach(HWND hwnd, std::thread::id windowThread);
  /// Waits until no animation tick runs; called before anything is destroyed. Empty: no wait.
  void SetQuiesce(std::function<void()> waitForTicks);
  /// True on the window's thread.
  bool OnWindowThread() const;
  /// Opens a scope; false (and nothing counted) on another thread.
  bool Enter();
  /// Closes a scope; the outermost one destroys what was parked meanwhile.
  void Leave();
  /// True while a scope is open on the window's thread.
  bool InScope() const;
  /// Destroys the control now when that is safe, else parks it (waking the window from other threads).
  void Dispose(std::unique_ptr<MControl> control);
  /// Keeps any object alive until parked controls are destroyed.
  void Defer(std::shared_ptr<void> keepAlive);
  /// Destroys what is parked when no scope is open on the window's thread.
  void FlushIfIdle();

 private:
  void Flush();
  void Wake();

  mutable std::mutex lock_;                          ///< guards everything below but depth_
  HWND hwnd_ = nullptr;
  std::thread::id windowThread_;
  std::function<void()> quiesce_;
  std::vector<std::unique_ptr<MControl>> parked_;
  std::vector<std::shared_ptr<void>> deferred_;
  int depth_ = 0;                                    ///< window thread only
};

}  // namespace ZephUI

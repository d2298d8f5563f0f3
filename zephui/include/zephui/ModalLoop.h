// Nested message loops: a dialog shown modally, a wait inside a handler. The
// inner loop handles every message of the thread until it is ended; the loop
// that called it then goes on where it was.
#pragma once

#include <functional>
#include <memory>

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// How a modal loop ended.
enum class LoopEnd {
  Ended,  ///< End was called
  Quit,   ///< WM_QUIT arrived; it was posted again for the loops outside
};

/// The outcome of ModalLoop::Run.
struct ModalResult {
  LoopEnd how = LoopEnd::Ended;  ///< why the loop stopped
  int code = 0;                  ///< the code given to End, or the WM_QUIT exit code
};

/// A message loop that runs until ended.
class ZEPHUI_API ModalLoop {
 public:
  /// Offered each message before it is translated and dispatched; true consumes it.
  using Filter = std::function<bool(const MSG&)>;

  /// A loop that is not running.
  ModalLoop();
  /// Must not be destroyed while running.
  ~ModalLoop();
  ModalLoop(const ModalLoop&) = delete;
  ModalLoop& operator=(const ModalLoop&) = delete;

  /// Retrieves, filters, translates and dispatches messages until End or WM_QUIT; then resets for the next Run.
  ModalResult Run(const Filter& filter = {});
  /// Ends the running (or the next) Run with `code`; any thread, also from a handler inside the loop.
  void End(int code);
  /// True while Run is executing.
  bool IsRunning() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace ZephUI

// The process-wide window system: the backend chosen at start, the window
// table, the key states, the periodic timer thread, and the routing of native
// events to the threads that own the windows.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "backend/EventSink.h"
#include "backend/KeyStateTable.h"
#include "backend/NativeBackend.h"
#include "backend/PeriodicTimerThread.h"
#include "backend/ThreadQueue.h"
#include "backend/WindowTable.h"
#include "zephui/Backend.h"

namespace ZephUI::Backend {

/// The single window system of the process.
class WindowSystem final : public EventSink {
 public:
  /// The running window system, started on first use with the requested or configured backend.
  static WindowSystem& Get();
  /// Asks for a backend before the first Get; ignored afterwards.
  static void Request(BackendKind kind);
  /// Sets the name the program shows the desktop.
  static void SetProgramName(std::u16string_view name);
  /// The program's name: as set, else the executable's name.
  static std::u16string ProgramName();

  explicit WindowSystem(std::unique_ptr<NativeBackend> backend);
  ~WindowSystem() override;
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  /// The backend.
  NativeBackend& Native() { return *backend_; }
  /// The window table.
  WindowTable& Table() { return table_; }
  /// Key and button states as of the input handled so far.
  KeyStateTable& Keys() { return keys_; }
  /// The periodic timer thread.
  PeriodicTimerThread& PeriodicTimers() { return periodic_; }
  /// The calling thread's queue, made on first use.
  std::shared_ptr<ThreadQueue> CurrentQueue();
  /// The queue of the thread owning a window of this process; null otherwise.
  std::shared_ptr<ThreadQueue> QueueOf(HWND hwnd);
  /// Removes the windows of a thread that ends, without messages: their procedures may be gone with it.
  void ForgetWindowsOf(const ThreadQueue& queue);

  void Deliver(NativeEvent event) override;
  void DeliverMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void ClockMoved() override;
  void DisplayLost() override;

 private:
  HWND RouteTarget(const NativeEvent& event);

  std::unique_ptr<NativeBackend> backend_;
  WindowTable table_;  // after the backend: its native windows go first
  KeyStateTable keys_;
  PeriodicTimerThread periodic_;
};

}  // namespace ZephUI::Backend

// The control timers of one window: which control and key run on which
// window timer id, and whether the timer was killed (its record stays so a
// restart reuses the id).
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "zephui/WindowTypes.h"

namespace ZephUI {

class MControl;

/// Control timer records under one lock; window timers are started and stopped by the caller.
class ControlTimerTable {
 public:
  /// One control timer.
  struct Record {
    HWND hwnd = nullptr;             ///< host window
    MControl* control = nullptr;     ///< not owned
    std::uint32_t key = 0;           ///< the control's timer key
    std::uintptr_t windowId = 0;     ///< window timer id
    bool killed = false;             ///< stopped, kept for a restart
  };

  /// What Start found for (control, key).
  enum class Found { Running, Killed, None };

  /// Looks a control timer up; `windowId` receives its id when it exists.
  Found Find(HWND hwnd, const MControl* control, std::uint32_t key, std::uintptr_t& windowId) const;
  /// The next window timer id after the last one handed out, skipping ids in use and `reserved`.
  std::uintptr_t NextId(const std::vector<std::uintptr_t>& reserved);
  /// Adds a running record.
  void Add(const Record& record);
  /// Marks a record running or killed; false when it does not exist.
  bool SetKilled(HWND hwnd, const MControl* control, std::uint32_t key, bool killed);
  /// Removes the records of a control (every one when `control` is none) and returns them.
  std::vector<Record> Remove(const MControl* control);
  /// The controls of running records with this window timer id.
  std::vector<MControl*> Running(HWND hwnd, std::uintptr_t windowId) const;

 private:
  bool InUse(std::uintptr_t id) const;

  mutable std::mutex lock_;
  std::vector<Record> records_;
  std::uintptr_t lastId_ = 4096;
};

}  // namespace ZephUI

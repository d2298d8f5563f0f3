// Periodic animation timers owned by an object: each has an id, a name and
// an application flag; ticks arrive on the library's timer thread.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Export.h"

namespace ZephUI {

/// Owner of periodic timers; derived classes handle the ticks.
class ZEPHUI_API ZTimer {
 public:
  /// No timers.
  ZTimer();
  /// Stops every timer; no tick is running when it returns. A derived class whose ticks use its
  /// own members stops its timers in its own destructor (KillMTimer()), before those members go.
  virtual ~ZTimer();
  ZTimer(const ZTimer&) = delete;
  ZTimer& operator=(const ZTimer&) = delete;

  /// Starts a periodic timer of `periodMs` (at least 1 ms); its id, 0 on failure.
  std::uint32_t SetMTimer(std::uint32_t periodMs);
  /// Starts a named application timer; its ticks also reach OnMTimer(id, name). 0 on failure.
  std::uint32_t SetAppTimer(std::uint32_t periodMs, std::u16string name);
  /// Stops one timer; the number of timers left.
  int KillMTimer(std::uint32_t id);
  /// Stops every timer.
  void KillMTimer();
  /// True when the timer with this id runs.
  bool GetTimerIsRun(std::uint32_t id) const;
  /// True when a timer with this name runs.
  bool GetTimerIsRun(std::u16string_view name) const;
  /// The name of a timer; empty when unknown.
  std::u16string GetTimerName(std::uint32_t id) const;
  /// True for an application timer.
  bool IsAppTimer(std::uint32_t id) const;
  /// The live ZTimer that owns a timer id; none when no live instance has it.
  static ZTimer* GetFSTimer(std::uint32_t id);

 protected:
  /// One tick, on the timer thread.
  virtual void OnMTimer(std::uint32_t id);
  /// One tick of an application timer, after OnMTimer(id).
  virtual void OnMTimer(std::uint32_t id, std::u16string_view name);

 private:
  struct Entry {
    std::uint32_t id;
    std::u16string name;
    bool appTimer;
  };
  std::uint32_t Start(std::uint32_t periodMs, std::u16string name, bool appTimer);
  void Tick(std::uint32_t id);

  mutable std::mutex lock_;      ///< guards entries_
  std::vector<Entry> entries_;   ///< running timers
};

}  // namespace ZephUI

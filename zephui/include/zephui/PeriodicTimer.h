// Periodic timers on the library's timer thread, for control animation. They
// run on the window system's clock: under headless they fire only when the
// clock is moved, and every period passed fires once.
#pragma once

#include <cstdint>
#include <functional>

#include "zephui/Export.h"

namespace ZephUI {

/// Called on the timer thread at each period with the timer's id. It must not SendMessage to a
/// thread that may be moving the headless clock; PostMessage and InvalidateRect are fine.
using PeriodicCallback = std::function<void(std::uint32_t timerId)>;

/// Starts a periodic timer (period at least 1 ms); returns its id, never 0.
ZEPHUI_API std::uint32_t StartPeriodicTimer(std::uint32_t periodMs, PeriodicCallback callback);
/// Stops a periodic timer; when it returns, the callback is not running (unless called from it). False for an unknown id.
ZEPHUI_API bool StopPeriodicTimer(std::uint32_t timerId);

/// Parks a timer (no ticks, no wake-ups) until resumed; false when a resume came first or the id is unknown.
ZEPHUI_API bool PausePeriodicTimer(std::uint32_t timerId);
/// Restarts a parked timer one period from now; on a running timer, cancels the next pause.
ZEPHUI_API void ResumePeriodicTimer(std::uint32_t timerId);

}  // namespace ZephUI

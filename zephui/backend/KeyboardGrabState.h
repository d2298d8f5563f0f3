// The process's one keyboard grab as the window system sees it: which window
// it serves, so the grab can end with that window, and a generation that
// tells a grab object whether the grab it took is still the one held.
#pragma once

#include <cstdint>

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// The held keyboard grab.
class KeyboardGrabState {
 public:
  /// Asks the backend for the keyboard for `owner`; the new generation, or 0 when refused.
  static std::uint64_t Take(HWND owner, UINT message);
  /// Ends the grab if `generation` is the one held.
  static void Release(std::uint64_t generation);
  /// Ends the grab if it serves `hwnd` (the window is hidden or destroyed).
  static void OwnerLeft(HWND hwnd);
  /// The window served; null when no grab is held.
  static HWND Owner();
  /// The message keys are posted with; 0 when no grab is held.
  static UINT Message();
  /// Whether `generation` is the grab held now.
  static bool Holds(std::uint64_t generation);
};

}  // namespace ZephUI::Backend

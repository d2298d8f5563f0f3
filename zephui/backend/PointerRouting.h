// The steps of turning one pointer event into a mouse message.
#pragma once

#include <cstdint>

#include "backend/NativeEvent.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Where a pointer event goes.
struct PointerTarget {
  HWND hwnd = nullptr;    ///< receiving window
  bool captured = false;  ///< it holds the capture
};

/// Pointer event steps.
class PointerRouting {
 public:
  /// Records the pointer position and button state.
  static void RecordState(const NativeEvent& event);
  /// The receiving window: the capture window, else the window under the pointer.
  static PointerTarget Resolve(const NativeEvent& event);
  /// Posts WM_MOUSELEAVE to a tracked window the pointer has left.
  static void CheckLeave(const NativeEvent& event, const PointerTarget& target);
  /// True when the move repeats the last one to the same window.
  static bool IsRepeatedMove(const NativeEvent& event, HWND target);
  /// The mouse message number, deciding double clicks.
  static UINT MessageFor(const NativeEvent& event, HWND target, LRESULT hit);
  /// Sends WM_MOUSEACTIVATE for a press on an inactive window and activates it; true when the press is eaten.
  static bool ActivateOnPress(HWND target, LRESULT hit, UINT message);
  /// Shows the current cursor on the target's native window when it shows another.
  static void ApplyCursor(HWND target);
  /// Restarts the hover time when the pointer moved within the tracked window.
  static void UpdateHover(const NativeEvent& event, HWND target);
  /// Builds the message with its parameters.
  static MSG Build(const NativeEvent& event, HWND target, LRESULT hit, UINT message);
};

}  // namespace ZephUI::Backend

// An optional drop shadow: a layered, click-through window of class
// "ShadowWnd" kept right behind its dialog that follows it when moved, sized,
// shown or hidden. It shows only while a compositing manager runs
// (IsCompositionEnabled): without one it would be a solid block.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// A soft shadow window following one dialog window.
class ZEPHUI_API MShadow {
 public:
  /// Darkness 150, sharpness 5, size 0, offsets 5, 5, black.
  MShadow();
  /// Destroys the shadow window and restores the dialog's procedure.
  ~MShadow();
  MShadow(const MShadow&) = delete;
  MShadow& operator=(const MShadow&) = delete;

  /// Creates the shadow for `dialog` and starts following it; false on failure.
  bool Create(HWND dialog, bool show);
  /// Size -35 … 35; false when out of range.
  bool SetSize(int size);
  /// Sharpness 0 … 35; false when out of range.
  bool SetSharpness(int sharpness);
  /// Darkness 0 … 255; false when out of range.
  bool SetDarkness(int darkness);
  /// Offsets, each -35 … 35; false when out of range.
  bool SetPosition(int x, int y);
  /// Colour of the shadow.
  bool SetColor(GdiColor colour);
  /// A picture drawn as a nine-slice frame instead of the computed shadow; false when it cannot be loaded.
  bool SetImage(std::u16string_view path, const Rect& corner);
  /// Shows or hides the shadow window.
  void Show(bool show);
  /// The shadow window; none before Create.
  HWND GetHwnd() const;
  /// Recomputes the shadow picture for the dialog's current size and places the window.
  void Update();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace ZephUI

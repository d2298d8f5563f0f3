// The root of the control tree and of the window classes: class names, the
// notification channel from a child to its parent, and repaint requests.
#pragma once

#include <cstdint>
#include <string_view>

#include "zephui/ControlTypes.h"
#include "zephui/Export.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

class MControl;

/// Base of controls and of the object face of dialogs and popups.
class ZEPHUI_API MObject {
 public:
  /// Destroyed through the owner that holds it.
  virtual ~MObject();
  /// True when GetClassNameW() equals `name` exactly.
  virtual bool IsClass(std::u16string_view name) const;
  /// The class name; empty for none.
  virtual std::u16string_view GetClassNameW() const;
  /// The object's class kind; empty for none.
  virtual std::u16string_view GetObjectClass() const;
  /// The base class name; empty for none.
  virtual std::u16string_view BaseObjectClassName() const;
  /// A child reports a notification code (or a window message) here; 0 by default.
  virtual LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam);
  /// A child asks to repaint `rect` (window client pixels); 0 by default.
  virtual LRESULT OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control);
};

}  // namespace ZephUI

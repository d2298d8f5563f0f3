#include "backend/WindowRecord.h"

#include <cairo.h>

#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {

void SurfaceRelease::operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }

bool WindowRecord::IsChild() const { return (style & WS_CHILD) != 0; }

bool WindowRecord::Visible() const { return (style & WS_VISIBLE) != 0; }

bool WindowRecord::Enabled() const { return (style & WS_DISABLED) == 0; }

bool WindowRecord::Minimized() const { return (style & WS_MINIMIZE) != 0; }

bool WindowRecord::Maximized() const { return (style & WS_MAXIMIZE) != 0; }

Rect WindowRecord::ClientRect() const { return Rect{0, 0, rect.Width(), rect.Height()}; }

// Never-activated windows are tips, balloons and shadows; an owned tool window is a drop-down
// list, or a menu when its style says so, unless it says it is a dialog (a message box).
WindowRole WindowRecord::Role() const {
  if (IsChild()) return WindowRole::Child;
  if ((exStyle & WS_EX_NOACTIVATE) != 0) {
    if ((exStyle & WS_EX_TRANSPARENT) != 0) return WindowRole::Overlay;
    return (exStyle & WS_EX_TOPMOST) != 0 ? WindowRole::Tooltip : WindowRole::Notification;
  }
  const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
  const bool dialog = (exStyle & WS_EX_DLGMODALFRAME) != 0;
  if (owner != nullptr) {
    if (!tool || dialog) return WindowRole::Dialog;
    return (style & ZWS_MENU) != 0 ? WindowRole::Menu : WindowRole::Popup;
  }
  if (!tool) return WindowRole::Normal;
  return dialog ? WindowRole::Dialog : WindowRole::Tool;
}

}  // namespace ZephUI::Backend

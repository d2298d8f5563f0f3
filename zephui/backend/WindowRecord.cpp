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

}  // namespace ZephUI::Backend

#include "backend/portal/ParentWindow.h"

#include <cstdio>

#include "backend/NativeAccess.h"
#include "backend/x11/X11Window.h"
#include "zephui/Window.h"

namespace ZephUI::Backend {

std::string PortalParentWindow(HWND owner) {
  if (owner == nullptr) return {};
  unsigned long id = 0;
  NativeAccess::Apply(GetTopLevel(owner), [&id](NativeWindow& native) {
    if (const auto* x11 = dynamic_cast<const X11Window*>(&native)) id = x11->XId();
  });
  if (id == 0) return {};
  char text[32];
  std::snprintf(text, sizeof text, "x11:%lx", id);
  return text;
}

}  // namespace ZephUI::Backend

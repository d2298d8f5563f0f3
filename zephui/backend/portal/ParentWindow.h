// How a portal names the window its dialog belongs to: "x11:<id in hex>" for
// an X window, empty when there is none to name (headless, no owner).
#pragma once

#include <string>

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// The portal's parent_window text for the top-level window of `owner`.
std::string PortalParentWindow(HWND owner);

}  // namespace ZephUI::Backend

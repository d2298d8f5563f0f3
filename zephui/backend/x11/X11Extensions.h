// The X extensions the backend uses beyond the core protocol, probed once
// when the connection opens.
#pragma once

#include <X11/Xlib.h>

namespace ZephUI::Backend {

/// What the server offers.
struct X11Extensions {
  int shmCompletion = -1;  ///< event type of MIT-SHM completions; -1 when shared memory cannot be used
  bool shape = false;      ///< SHAPE 1.1 or later (input shapes)
  int randrMinor = -1;     ///< RandR 1.x minor version; -1 without RandR
  int fixesSelection = -1; ///< event type of XFixes selection-owner notices; -1 without XFixes

  /// Probes the server behind `display`.
  void Query(Display* display);
};

}  // namespace ZephUI::Backend

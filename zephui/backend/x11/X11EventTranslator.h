// Turns X events for our windows into native events and cross-process
// messages; called by the event reader with the connection lock held.
#pragma once

#include <vector>

#include "backend/NativeEvent.h"
#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// What one batch of X events produced.
struct X11Output {
  std::vector<NativeEvent> events;  ///< native events for the core
  std::vector<MSG> messages;        ///< messages posted by other processes
};

/// X event translation.
class X11EventTranslator {
 public:
  /// Adds what `event` means to `out`; events for windows that are not ours are dropped.
  static void Translate(X11Connection& connection, XEvent& event, X11Output& out);

 private:
  static void Key(X11Connection& c, XKeyEvent& event, const X11WindowInfo& info, X11Output& out);
  static void Button(const XButtonEvent& event, const X11WindowInfo& info, X11Output& out);
  static void Focus(const XFocusChangeEvent& event, X11WindowInfo& info, X11Output& out);
  static void Configure(X11Connection& c, const XConfigureEvent& event, const X11WindowInfo& info, X11Output& out);
  static void Property(X11Connection& c, const XPropertyEvent& event, const X11WindowInfo& info, X11Output& out);
  static void Client(X11Connection& c, const XClientMessageEvent& event, const X11WindowInfo& info, X11Output& out);
  static void Exposure(const XExposeEvent& event, const X11WindowInfo& info, X11Output& out);
  static void Compositor(X11Connection& c, X11Output& out);
};

}  // namespace ZephUI::Backend

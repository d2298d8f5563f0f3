// Single-key capture for the macro page's key editor and the custom key
// dialog: every keyboard is read alongside the rest of the system (nothing is
// grabbed or consumed), each event decoded into kind, press or release,
// virtual key and display name.
#pragma once

#include <functional>
#include <string>

#include "macros/recorder/AllKeyboardsReader.h"

/// What sent an input event.
enum class InputKind {
  Keyboard,  ///< a key
  Mouse,     ///< a pointer button or movement; never recorded
  Other,     ///< anything else
};

/// Whether a key went down or up.
enum class KeyAction {
  Press,    ///< down (auto-repeats included)
  Release,  ///< up
};

/// Who wants the captured key.
enum class CaptureTarget {
  MacroKeyEditor,   ///< any named key
  CustomKeyDialog,  ///< any named key except Shift, Ctrl and Alt on either side
};

/// One decoded input event.
struct CapturedInput {
  InputKind kind = InputKind::Other;     ///< what sent it
  KeyAction action = KeyAction::Press;   ///< for keyboard events
  int virtualKey = 0;                    ///< generic Shift/Ctrl/Alt already turned left-hand; 0 without a key
  std::u16string name;                   ///< display name; empty without one
};

class KeyCapture {
 public:
  /// Receives decoded events, on the capture's own thread.
  using Receiver = std::function<void(const CapturedInput& input)>;

  /// A capture of the keyboards `discovery` finds (both arguments must outlive it).
  KeyCapture(EvdevDiscovery& discovery, Clock& clock);

  /// Starts reading every keyboard, trying once more when none could be opened; false when none could.
  bool start(Receiver receiver);
  /// Stops reading.
  void stop();

  /// Decodes one evdev event.
  static CapturedInput decode(const InputEvent& event);
  /// Whether a decoded event gives the target its key: a named key going down, minus the target's exclusions.
  static bool takesKey(const CapturedInput& input, CaptureTarget target);

 private:
  AllKeyboardsReader reader_;
};

// Turns evdev key events into the key records a system keyboard hook gives:
// the virtual key, the PC set-1 scan code with its extended (E0) flag, the up
// flag, and key-down/up versus system key-down/up (Alt held without Ctrl, or
// F10). The scan codes are what make the recorder's keypad rules work: the
// keypad digits arrive with their plain scan codes, the navigation block and
// keypad Enter with the extended flag.
#pragma once

#include <cstdint>
#include <set>
#include <utility>

#include "macros/recorder/KeyboardHook.h"

/// A PC set-1 scan code and whether it carries the E0 prefix.
struct PcScanCode {
  int code = 0;           ///< make code without prefix; 0 when the key has none
  bool extended = false;  ///< E0-prefixed
};

class HookKeyTranslator {
 public:
  /// The PC set-1 scan code of an evdev key code.
  static PcScanCode scanCodeOf(int evdevCode);

  /// The hook message and record of one evdev key event (value 0 up, 1 down, 2 repeat) at `time`.
  std::pair<KeyMessage, HookKeyRecord> translate(int evdevCode, std::int32_t value, std::uint64_t time);

 private:
  bool systemKeyState(int evdevCode) const;

  std::set<int> held_;
};

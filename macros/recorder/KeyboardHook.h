// The system-wide keyboard hook recording runs on: while installed it sees
// every key event of every keyboard before the rest of the system does. On
// Linux it is an evdev reader that grabs every keyboard (EvdevKeyboardHook),
// or under X11 a keyboard grab. Either stamps each event with the time it
// happened, which may be well before the handler sees it.
#pragma once

#include <cstdint>
#include <functional>

/// The keyboard message a hook event stands for (the hook message's wParam).
enum class KeyMessage : std::uint32_t {
  KeyDown = 0x100,     ///< a key went down (or repeats)
  KeyUp = 0x101,       ///< a key went up
  SysKeyDown = 0x104,  ///< a key went down while Alt is held (or F10)
  SysKeyUp = 0x105,    ///< a key went up while Alt is held (or F10)
};

/// One key event as the hook reports it.
struct HookKeyRecord {
  static constexpr std::uint32_t kExtended = 0x01;  ///< flags bit: the key carries the E0 prefix
  static constexpr std::uint32_t kUp = 0x80;        ///< flags bit: the key went up

  int virtualKey = 0;       ///< Windows virtual-key code; 0 for keys without one
  int scanCode = 0;         ///< PC set-1 make code (without the E0 prefix)
  std::uint32_t flags = 0;  ///< kExtended, kUp
  std::uint64_t time = 0;   ///< when the key event happened, in milliseconds of the hook's own clock
};

class KeyboardHook {
 public:
  /// Receives each key event, on the hook's own thread; true when the event was consumed.
  using Handler = std::function<bool(KeyMessage message, const HookKeyRecord& record)>;

  virtual ~KeyboardHook() = default;
  /// Starts delivering to `handler` (replacing an earlier installation); false when no keyboard could be hooked.
  virtual bool install(Handler handler) = 0;
  /// Stops delivering and waits for a delivery in progress, so a handler must never wait for the uninstalling thread.
  virtual void uninstall() = 0;
};

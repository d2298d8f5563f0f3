// Taking the whole keyboard for one window: while a grab is held every key
// of every keyboard comes to that window as a posted message and reaches no
// other program. Under X11 this is an active keyboard grab on the root
// window; it ends when Release is called, when the grab object goes, when
// its window is hidden or destroyed, and when the process ends (the X server
// drops a client's grabs with its connection).
#pragma once

#include <cstdint>
#include <utility>

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// What a grabbed key did.
enum class GrabbedKeyAction : std::uint32_t {
  Press = 0,    ///< went down
  Repeat = 1,   ///< still held: an auto-repeat press
  Release = 2,  ///< went up
};

/// One grabbed key event, as the grab's message carries it.
struct GrabbedKey {
  GrabbedKeyAction action = GrabbedKeyAction::Press;  ///< press, repeat or release
  std::uint32_t keyCode = 0;                          ///< Linux input key code (KEY_A ...); 0 when unknown
  std::uint32_t vk = 0;                               ///< virtual-key code from the keymap; 0 when it has none
  std::uint32_t timeMs = 0;                           ///< the window system's time stamp in milliseconds
};

/// Whether a grab was taken.
enum class GrabResult {
  Grabbed,  ///< every key now comes to the window
  Refused,  ///< another program holds the keyboard, or the window is gone
};

/// One keyboard grab; at most one is held per process at a time.
class ZEPHUI_API KeyboardGrab {
 public:
  /// No grab yet.
  KeyboardGrab();
  /// Releases a grab still held.
  ~KeyboardGrab();
  KeyboardGrab(const KeyboardGrab&) = delete;
  KeyboardGrab& operator=(const KeyboardGrab&) = delete;

  /// Takes the keyboard for `owner` (replacing any grab of this process); each key is posted to it as `message`.
  GrabResult Grab(HWND owner, UINT message);
  /// Gives the keyboard back; nothing when this object holds no grab.
  void Release();
  /// Whether this object's grab is still held (it ends by itself when its window is hidden or destroyed).
  bool IsActive() const;

  /// The key a grab message carries.
  static GrabbedKey Decode(WPARAM wParam, LPARAM lParam);
  /// The wParam and lParam of a grab message carrying `key`.
  static std::pair<WPARAM, LPARAM> Encode(const GrabbedKey& key);

 private:
  HWND owner_ = nullptr;
  std::uint64_t generation_ = 0;
};

/// The window the process's keyboard grab serves; null when none is held.
ZEPHUI_API HWND KeyboardGrabOwner();

namespace Headless {
/// Posts a grabbed key to the grab's window as the X server would send it; false when no grab is held.
ZEPHUI_API bool InjectGrabbedKey(const GrabbedKey& key);
}  // namespace Headless

}  // namespace ZephUI

// Test interface of the headless window system. Windows behave as under X11
// (stacking, activation, focus, capture, enabling, timers, painting), but live
// in memory on a virtual screen, time passes only when a test moves the clock,
// and input is injected here.
//
// A typical test:
//
//     ZephUI::SelectBackend(ZephUI::BackendKind::Headless);
//     ZephUI::Headless::Reset();
//     HWND w = ZephUI::CreateWindowEx(0, u"Test", u"", ZephUI::WS_POPUP | ZephUI::WS_VISIBLE,
//                                     100, 100, 300, 200, nullptr, &procedure);
//     ZephUI::Headless::ClickClient(w, 10, 10);   // queued, not yet handled
//     ZephUI::Headless::Pump();                   // WM_LBUTTONDOWN and WM_LBUTTONUP reach `procedure`
//     ZephUI::Headless::RunFor(1000);             // one second passes; timers fire on the way
//
// Injected input is queued to the thread that owns the window it concerns,
// exactly like real input, and handled when that thread retrieves messages
// (Pump, RunFor, or any message loop). Pointer input goes to the topmost
// visible window under the pointer (or the capture window); key input to the
// focus window. Every function here does nothing (returns 0, false or an
// empty value) unless the headless backend runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Cursor.h"
#include "zephui/Export.h"
#include "zephui/Rect.h"
#include "zephui/Window.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Headless {

/// Mouse buttons for injection.
enum class Button { Left, Right, Middle };

/// How the clock behaves while a thread waits for messages.
enum class ClockMode {
  Manual,        ///< time moves only through AdvanceClock and RunFor; a waiting loop without work sleeps
  AutoAdvance,   ///< a loop that would wait for its next timer moves the clock to it instead
};

/// True when the headless backend runs.
ZEPHUI_API bool IsActive();
/// Destroys every window of the calling thread, drops its queued messages, stops periodic timers,
/// releases keys and buttons, empties the clipboard and restores the screen, work area, double-click
/// time, cursor and clock mode. The clock keeps its time. For test fixtures.
ZEPHUI_API void Reset();

/// Current time of the virtual clock in milliseconds (starts at 1000).
ZEPHUI_API std::uint64_t Now();
/// Moves the clock forward; periodic timers due on the way have fired when it returns. Does not pump.
ZEPHUI_API void AdvanceClock(std::uint32_t milliseconds);
/// Moves the clock forward in steps, to each due window or periodic timer of the calling thread in
/// turn, pumping after every step; returns the number of messages handled.
ZEPHUI_API int RunFor(std::uint32_t milliseconds);
/// Chooses how waiting loops treat the clock; Manual after Reset.
ZEPHUI_API void SetClockMode(ClockMode mode);
/// Handles everything the calling thread has to do now (sent and posted messages, input, paints, due
/// timers) without waiting; stops at WM_QUIT (left in place) or after 100000 messages. Returns the count.
ZEPHUI_API int Pump();

/// Sets the virtual screen and its work area; 1920 x 1080 with the work area covering it after Reset.
ZEPHUI_API void SetScreen(const Rect& screen, const Rect& workArea);
/// Makes the virtual screen of several monitors (the first marked primary, else the first, is the primary);
/// the screen becomes their bounding box and GetWorkArea the primary's work area. SetScreen and Reset go back to one.
ZEPHUI_API void SetMonitors(const std::vector<MonitorInfo>& monitors);

/// Moves the pointer to a screen point.
ZEPHUI_API void MoveMouse(Point screen);
/// Moves the pointer to a client point of a window.
ZEPHUI_API void MoveMouseToClient(HWND hwnd, int x, int y);
/// Presses a button where the pointer is.
ZEPHUI_API void ButtonDown(Button button);
/// Releases a button where the pointer is.
ZEPHUI_API void ButtonUp(Button button);
/// Moves to a client point, then presses and releases; no time passes, so a second click within
/// the double-click distance is a double click unless the clock is moved past the double-click time.
ZEPHUI_API void ClickClient(HWND hwnd, int x, int y, Button button = Button::Left);
/// Turns the wheel where the pointer is; 120 is one notch away from the user.
ZEPHUI_API void Wheel(int delta);
/// Presses a key (virtual-key code; VK_LSHIFT and friends for a given side, VK_SHIFT means the left one).
/// Letters, digits, space, Enter, Tab, Backspace and Escape type their US-layout characters (WM_CHAR after TranslateMessage).
ZEPHUI_API void KeyDown(std::uint32_t vk);
/// Releases a key.
ZEPHUI_API void KeyUp(std::uint32_t vk);
/// KeyDown then KeyUp.
ZEPHUI_API void PressKey(std::uint32_t vk);
/// Commits text as an input method would: one WM_CHAR per UTF-16 unit to the focus window.
ZEPHUI_API void TypeText(std::u16string_view text);
/// Moves the input focus to another program: the active window is deactivated.
ZEPHUI_API void ActivateOtherProgram();
/// The window manager's close button: WM_CLOSE for the window.
ZEPHUI_API void RequestClose(HWND hwnd);
/// Clicks the newest tray icon of `owner` (left: activate, right: context menu; middle does nothing); false when it has none.
ZEPHUI_API bool ClickTrayIcon(HWND owner, Button button);

/// Writes what the window last presented (transparent when it never did) as a PNG; false on failure.
ZEPHUI_API bool WritePng(HWND hwnd, const std::string& path);
/// A pixel of what the window last presented, premultiplied as stored; transparent outside.
ZEPHUI_API ArgbColor PresentedPixel(HWND hwnd, int x, int y);
/// Every pixel the window last presented, rows packed at the client width; empty when it never did.
ZEPHUI_API std::vector<std::uint32_t> PresentedPixels(HWND hwnd);
/// How many times the window presented its surface.
ZEPHUI_API int PresentCount(HWND hwnd);
/// The client rectangle the window's last present copied to the screen; empty when it never presented.
ZEPHUI_API Rect LastPresentedRect(HWND hwnd);
/// The cursor shape shown now.
ZEPHUI_API CursorType CurrentCursor();

}  // namespace ZephUI::Headless

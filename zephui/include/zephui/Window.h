// Windows: creation, relations, visibility, activation, focus, capture,
// placement, properties, timers and painting. A window belongs to the thread
// that created it; its procedure runs on that thread only. Functions that
// change a window may be called from any thread: they run on the owning
// thread and wait for it (so that thread must be pumping messages). Every
// function does nothing and returns 0, false or null for a handle that is not
// a live window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MessageCodes.h"
#include "zephui/Rect.h"
#include "zephui/WindowProcedure.h"
#include "zephui/WindowStyles.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Whether a window takes mouse and keyboard input.
enum class InputState { Disabled, Enabled };

/// Registers a window class name with CS_* class style bits; false when the name is already registered.
ZEPHUI_API bool RegisterWindowClass(std::u16string_view className, std::uint32_t classStyle);
/// True when the class name is registered.
ZEPHUI_API bool IsWindowClassRegistered(std::u16string_view className);

/// Creates a window of a registered class; `parent` is the parent of a WS_CHILD window, else the owner. Null on failure.
ZEPHUI_API HWND CreateWindowEx(std::uint32_t exStyle, std::u16string_view className, std::u16string_view title,
                               std::uint32_t style, int x, int y, int width, int height, HWND parent,
                               WindowProcedure* procedure, void* createParam = nullptr);
/// Destroys the window, its owned windows and its children (WM_DESTROY, then WM_NCDESTROY last).
ZEPHUI_API bool DestroyWindow(HWND hwnd);
/// True while the handle names a live window (of this process, or found in another one).
ZEPHUI_API bool IsWindow(HWND hwnd);
/// The default handling of a message: WM_CLOSE destroys, WM_ACTIVATE focuses, caption presses move, Alt+F4 closes.
ZEPHUI_API LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
/// Replaces the window's procedure and returns the previous one (for subclassing).
ZEPHUI_API WindowProcedure* SetWindowProcedure(HWND hwnd, WindowProcedure* procedure);
/// The window's procedure.
ZEPHUI_API WindowProcedure* GetWindowProcedure(HWND hwnd);
/// Stores one word for the application and returns the previous one.
ZEPHUI_API std::intptr_t SetWindowUserData(HWND hwnd, std::intptr_t value);
/// The word stored with SetWindowUserData; 0 by default.
ZEPHUI_API std::intptr_t GetWindowUserData(HWND hwnd);

/// The WS_* style bits.
ZEPHUI_API std::uint32_t GetWindowStyle(HWND hwnd);
/// Replaces the style bits and returns the previous ones; WS_VISIBLE, WS_DISABLED, WS_MINIMIZE and WS_MAXIMIZE are kept as they are.
ZEPHUI_API std::uint32_t SetWindowStyle(HWND hwnd, std::uint32_t style);
/// The WS_EX_* extended style bits.
ZEPHUI_API std::uint32_t GetWindowExStyle(HWND hwnd);
/// Replaces the extended style bits and returns the previous ones.
ZEPHUI_API std::uint32_t SetWindowExStyle(HWND hwnd, std::uint32_t exStyle);
/// Sets the colour key and constant alpha applied when a WS_EX_LAYERED window is presented (LWA_* flags).
ZEPHUI_API bool SetLayeredWindowAttributes(HWND hwnd, GdiColor key, std::uint8_t alpha, std::uint32_t flags);
/// Changes the title.
ZEPHUI_API bool SetWindowText(HWND hwnd, std::u16string_view text);
/// The title; empty for no window.
ZEPHUI_API std::u16string GetWindowText(HWND hwnd);
/// Length of the title in UTF-16 units; -1 for no window.
ZEPHUI_API int GetWindowTextLength(HWND hwnd);
/// The class name the window was created with.
ZEPHUI_API std::u16string GetClassName(HWND hwnd);

/// The parent of a child window, or the owner of a top-level window.
ZEPHUI_API HWND GetParent(HWND hwnd);
/// The owner of a top-level window; null for child windows.
ZEPHUI_API HWND GetOwner(HWND hwnd);
/// The top-level window that contains `hwnd` (itself when it is top-level).
ZEPHUI_API HWND GetTopLevel(HWND hwnd);
/// True when `hwnd` is a child or deeper descendant of `parent`.
ZEPHUI_API bool IsChild(HWND parent, HWND hwnd);
/// The top-level windows of this process, front to back.
ZEPHUI_API std::vector<HWND> GetTopLevelWindows();
/// The first top-level window, front to back, with this class and title; an empty argument matches any.
ZEPHUI_API HWND FindWindow(std::u16string_view className, std::u16string_view title);
/// The top-level window carrying a property `name`; under X11 also another process's window, which then takes PostMessage, ShowWindow, SetForegroundWindow, BringWindowToTop and GetProp.
ZEPHUI_API HWND FindWindowByProperty(std::u16string_view name);
/// The visible window at a screen point, deepest child first; click-through windows are skipped.
ZEPHUI_API HWND WindowFromPoint(Point screen);
/// Clips a top-level window to its rectangle with corners rounded `diameter` pixels across, following resizes; false for no top-level window.
ZEPHUI_API bool SetWindowRoundRegion(HWND hwnd, int diameter);
/// Removes the clip SetWindowRoundRegion set; false for no top-level window.
ZEPHUI_API bool ClearWindowRegion(HWND hwnd);
/// The corner diameter SetWindowRoundRegion set; 0 when the window is not clipped.
ZEPHUI_API int GetWindowRoundRegion(HWND hwnd);
/// True when a client point lies inside the window's clip (its client rectangle when it has none).
ZEPHUI_API bool WindowRegionContains(HWND hwnd, Point client);

/// Shows, hides, minimises, maximises or restores (SW_*); returns whether the window was visible before.
ZEPHUI_API bool ShowWindow(HWND hwnd, int command);
/// True when the window and all its parents have WS_VISIBLE (minimised windows count as visible).
ZEPHUI_API bool IsWindowVisible(HWND hwnd);
/// True while minimised.
ZEPHUI_API bool IsIconic(HWND hwnd);
/// True while maximised.
ZEPHUI_API bool IsZoomed(HWND hwnd);
/// Enables or disables input; a disabled window loses focus and capture. Returns the previous state.
ZEPHUI_API InputState EnableWindow(HWND hwnd, InputState state);
/// True when the window takes input.
ZEPHUI_API bool IsWindowEnabled(HWND hwnd);

/// Activates the window's top-level window and raises it; false for hidden, disabled or never-activated windows.
ZEPHUI_API bool SetForegroundWindow(HWND hwnd);
/// The active top-level window; null when another program is active.
ZEPHUI_API HWND GetForegroundWindow();
/// Activates the top-level window and returns the previously active one.
ZEPHUI_API HWND SetActiveWindow(HWND hwnd);
/// Same as GetForegroundWindow (one desktop, one active window).
ZEPHUI_API HWND GetActiveWindow();
/// Raises the window to the top of its band without activating it; owned windows stay above it.
ZEPHUI_API bool BringWindowToTop(HWND hwnd);
/// Gives the keyboard focus (activating the top-level window first); null takes it away. Returns the previous focus window.
ZEPHUI_API HWND SetFocus(HWND hwnd);
/// The window with the keyboard focus.
ZEPHUI_API HWND GetFocus();
/// Routes all mouse input to the window until released; returns the previous capture window.
ZEPHUI_API HWND SetCapture(HWND hwnd);
/// Ends the capture; the window that had it gets WM_CAPTURECHANGED.
ZEPHUI_API bool ReleaseCapture();
/// The window holding the capture.
ZEPHUI_API HWND GetCapture();
/// Asks for one WM_MOUSELEAVE and/or WM_MOUSEHOVER (TME_* flags); HOVER_DEFAULT is 400 ms.
ZEPHUI_API bool TrackMouseEvent(HWND hwnd, std::uint32_t flags, std::uint32_t hoverTimeMs = HOVER_DEFAULT);

/// Moves, sizes and restacks the window (SWP_* flags); child positions are in parent client pixels.
ZEPHUI_API bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, std::uint32_t flags);
/// Moves and sizes the window without changing the stacking or activation.
ZEPHUI_API bool MoveWindow(HWND hwnd, int x, int y, int width, int height);
/// The window's rectangle in screen pixels.
ZEPHUI_API bool GetWindowRect(HWND hwnd, Rect& rect);
/// The client rectangle: (0, 0, width, height); windows have no frame.
ZEPHUI_API bool GetClientRect(HWND hwnd, Rect& rect);
/// Converts a client point to screen pixels.
ZEPHUI_API bool ClientToScreen(HWND hwnd, Point& point);
/// Converts a screen point to client pixels.
ZEPHUI_API bool ScreenToClient(HWND hwnd, Point& point);
/// Converts a client rectangle to screen pixels.
ZEPHUI_API bool ClientToScreen(HWND hwnd, Rect& rect);
/// Converts a screen rectangle to client pixels.
ZEPHUI_API bool ScreenToClient(HWND hwnd, Rect& rect);
/// The screen in pixels (one monitor).
ZEPHUI_API Rect GetScreenRect();
/// The part of the screen that windows may cover (panels excluded).
ZEPHUI_API Rect GetWorkArea();
/// True while see-through pixels of layered windows show what lies below (a compositing manager runs).
ZEPHUI_API bool IsCompositionEnabled();

/// One monitor: where it lies on the screen and the part of it windows may cover.
struct MonitorInfo {
  Rect rect;             ///< the monitor's part of the screen
  Rect workArea;         ///< `rect` without the panels on it
  bool primary = false;  ///< the primary monitor
};
/// Every monitor, the primary one first.
ZEPHUI_API std::vector<MonitorInfo> GetMonitors();
/// The rectangle of the monitor containing the screen point, else of the nearest one.
ZEPHUI_API Rect GetMonitorRectFromPoint(Point screen);
/// The work area of the monitor containing the screen point, else of the nearest one.
ZEPHUI_API Rect GetMonitorWorkAreaFromPoint(Point screen);
/// The rectangle of the monitor sharing most of the window's area, else of the nearest one; the primary's for no window.
ZEPHUI_API Rect GetMonitorRect(HWND hwnd);
/// The work area of the monitor sharing most of the window's area, else of the nearest one; the primary's for no window.
ZEPHUI_API Rect GetMonitorWorkArea(HWND hwnd);

/// Sets a named property; under X11 a top-level window also publishes it for other processes. False for no window.
ZEPHUI_API bool SetProp(HWND hwnd, std::u16string_view name, std::intptr_t value);
/// A named property; 0 when absent.
ZEPHUI_API std::intptr_t GetProp(HWND hwnd, std::u16string_view name);
/// Removes a named property and returns its value; 0 when absent.
ZEPHUI_API std::intptr_t RemoveProp(HWND hwnd, std::u16string_view name);

/// Starts or restarts timer `id` of the window (periods below 10 ms become 10 ms); WM_TIMER, or `proc` when given. Nonzero on success.
ZEPHUI_API std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, std::uint32_t elapseMs, TIMERPROC proc = nullptr);
/// Stops timer `id`; false when it was not running.
ZEPHUI_API bool KillTimer(HWND hwnd, std::uintptr_t id);

/// Adds a client rectangle (null: the whole client area) to the update rectangle; any thread.
ZEPHUI_API bool InvalidateRect(HWND hwnd, const Rect* rect);
/// Removes a client rectangle (null: all) from the update rectangle.
ZEPHUI_API bool ValidateRect(HWND hwnd, const Rect* rect);
/// The update rectangle; false when it is empty.
ZEPHUI_API bool GetUpdateRect(HWND hwnd, Rect& rect);
/// Starts painting: returns the update rectangle and empties it.
ZEPHUI_API Rect BeginPaint(HWND hwnd);
/// Ends painting started with BeginPaint.
ZEPHUI_API void EndPaint(HWND hwnd);
/// Sends WM_PAINT at once when the window is visible and has an update rectangle.
ZEPHUI_API bool UpdateWindow(HWND hwnd);
/// Shows the window's surface (see WindowSurface) on the screen in one copy.
ZEPHUI_API bool PresentWindow(HWND hwnd);
/// Shows only `damage` (client pixels) of the window's surface: the rest of the surface must be as last presented.
ZEPHUI_API bool PresentWindow(HWND hwnd, const Rect& damage);
/// Frees what the window keeps only to present its next frame quickly (for a window that has stopped changing).
ZEPHUI_API bool ReleaseSpareWindowImages(HWND hwnd);

}  // namespace ZephUI

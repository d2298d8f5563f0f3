// The root of one window's control tree. It turns the window's messages into
// control events (hit testing, hover, capture, focus, Tab navigation), paints
// the whole client area off screen and shows it in one copy, runs the
// window's control timers and animation timer, keeps the window's image and
// font caches and shows its overlays (tooltip, balloon, status message with
// progress, caret).
//
// Lifetime rule: a control removed while a message of the window is being
// handled (inside its own handler, inside a nested modal loop) or from the
// timer thread is taken out of the tree at once, forgotten by the manager
// (hover, focus, capture owner, tooltip and caret owner, timers, animation
// list) and destroyed only when the window's outermost message has been
// handled and no animation tick is running.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "zephui/Color.h"
#include "zephui/ControlTypes.h"
#include "zephui/Export.h"
#include "zephui/Font.h"
#include "zephui/Image.h"
#include "zephui/MObject.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/WindowTypes.h"
#include "zephui/ZTimer.h"

namespace ZephUI {

class ControlDisposal;
class MAirBladder;
class MControl;
class MControlFont;
class MShadow;
class MToolTip;
class MWindow;

/// Window timer id of the status message hold.
inline constexpr std::uintptr_t TIMER_MESSAGE_HOLD = 66;
/// Window timer id of the status message fade.
inline constexpr std::uintptr_t TIMER_MESSAGE_FADE = 88;
/// Window timer id of the progress bar run.
inline constexpr std::uintptr_t TIMER_PROGRESS = 99;
/// Window timer id of the caret blink.
inline constexpr std::uintptr_t TIMER_CARET = 6553;

/// One window's control tree, painting, timers, caches and overlays.
class ZEPHUI_API PaintManager : public ZTimer {
 public:
  /// A manager for `window` (not owned); nothing happens before Init.
  explicit PaintManager(MWindow* window);
  /// Tears down through DestroyData.
  ~PaintManager() override;
  PaintManager(const PaintManager&) = delete;
  PaintManager& operator=(const PaintManager&) = delete;

  /// Marks one window message in progress on the window's thread (see the lifetime rule).
  class ZEPHUI_API DispatchScope {
   public:
    /// Enters; `manager` may be none.
    explicit DispatchScope(PaintManager* manager);
    /// Leaves; the outermost scope destroys the controls removed meanwhile.
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

   private:
    PaintManager* manager_;
    std::shared_ptr<ControlDisposal> disposal_;  ///< outlives the manager while the scope is open
    bool entered_ = false;                       ///< counted (opened on the window's thread)
  };

  // ---- set-up and window access ----
  /// Attaches to `hwnd`: private fonts, scroll bar ids 102/101, initialised.
  void Init(HWND hwnd, MWindow* window);
  /// True between Init and DestroyData.
  bool IsInitialised() const;
  /// The host window.
  HWND GetPaintWnd() const;
  /// The owning window object.
  MWindow* GetMDialog() const;
  /// The host window (the tooltip is our own window).
  HWND GetToolTipWnd() const;
  /// The client rectangle; empty without window.
  Rect GetClientRect() const;
  /// The window rectangle in screen pixels.
  Rect GetWindowRect() const;
  /// The client size.
  void GetClientSize(int& width, int& height) const;
  /// Stores the caption rectangle.
  void SetCaptionRect(const Rect& rect);
  /// The stored caption rectangle.
  Rect GetCaptionRect() const;
  /// Maximum window size (0 = no limit).
  void SetWindowMaxSize(int width, int height);
  /// Reads the maximum size.
  void GetWindowManSize(int& width, int& height) const;
  /// Minimum window size (0 = no limit).
  void SetWindowMixSize(int width, int height);
  /// Reads the minimum size.
  void GetWindowMinSize(int& width, int& height) const;
  /// Captures the mouse for the host window.
  void SetCapture();
  /// Releases the capture.
  void ReleaseCapture();
  /// True while captured.
  bool IsCaptured() const;
  /// Per-pixel alpha window: every repaint covers the whole client area.
  void SetLayeredWindow(bool layered);
  /// True for a layered window.
  bool IsLayered() const;
  /// A press outside every responsive control moves the window.
  void EnableWndDrag(bool enable);
  /// True when window dragging is on.
  bool IsWndDragEnabled() const;
  /// Sends to the host window; 0 when it is gone.
  LRESULT SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
  /// Delivers to the host window like SendMessageW; 0 when it is gone.
  LRESULT PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
  /// Invalidates the whole client area.
  void Invalidate();
  /// Invalidates `rect` (the whole area when layered).
  void InvalidateRect(const Rect& rect, EraseMode erase);

  // ---- controls ----
  /// CreateControl(0, ...).
  MControl* CreateArea(MObject* parent, std::u16string_view className, std::uint32_t id, const Rect& rect,
                       std::u16string_view text, bool visible, bool enabled);
  /// CreateControl(1, ...).
  MControl* CreateControl(MObject* parent, std::u16string_view className, std::uint32_t id, const Rect& rect,
                          std::u16string_view text, bool visible, bool enabled);
  /// The dialog factory: kind 0 area list, 1 control list, other no list; none for an unknown name.
  MControl* CreateControl(int kind, MObject* parent, std::u16string_view className, std::uint32_t id,
                          const Rect& rect, std::u16string_view text, bool visible, bool enabled);
  /// Appends an owned top-level control (kind 0 areas, 1 controls), gives it the manager and InitControl.
  MControl* AddControl(std::unique_ptr<MControl> control, int kind);
  /// Depth first over the control list, then the area list; none when absent.
  MControl* GetControl(std::uint32_t id) const;
  /// A snapshot of the top-level control list.
  std::vector<MControl*> GetControls() const;
  /// A snapshot of the top-level area list.
  std::vector<MControl*> GetAreas() const;
  /// Removes and destroys a top-level control (see the lifetime rule).
  void RemoveControl(MControl* control);
  /// Destroys every area.
  void ClearAreaControls();
  /// Destroys every control.
  void ClearControls();
  /// Destroys every area and control.
  void ClearAllControls();
  /// Moves focus: the old control gets SetControlFocus(Take), the new one Give.
  void SetFocusControl(MControl* control);
  /// The focus control; none.
  MControl* GetFocusControl() const;
  /// The hover control; none.
  MControl* GetHoverControl() const;
  /// The next visible, enabled tab-stop control after the focus control.
  MControl* GetNextFocusableControl() const;
  /// The previous visible, enabled tab-stop control before the focus control.
  MControl* GetPrevFocusableControl() const;
  /// Repaint request: resets `control`'s cache when asked and later overlapping controls', then invalidates.
  LRESULT OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control);
  /// Forgets every reference to `control` and its subtree (hover, focus, tooltip, caret, timers, animation).
  void ForgetControl(MControl* control);
  /// Takes a removed control: destroyed now when nothing is in progress, else later (see the lifetime rule).
  void DisposeControl(std::unique_ptr<MControl> control);

  // ---- appearance ----
  /// Background from the skin folder; 1 on success, 0 (no background) on failure.
  int LoadBKImage(std::u16string_view fileName);
  /// Background from a registered application resource; 1 or 0.
  int LoadBKImage(int resourceId, std::u16string_view resourceType);
  /// Background mode and nine-slice corner size.
  void SetBackMode(enumBackMode mode, int frameSize);
  /// Back and border colours used without a background image.
  void SetBackColor(GdiColor back, GdiColor border);
  /// The back colour.
  GdiColor GetBackColor() const;
  /// The disabled-text colour.
  GdiColor GetDefaultEnabledColor() const;
  /// Sets the disabled-text colour.
  void SetDefaultEnabledColor(GdiColor colour);

  // ---- shadow ----
  /// Creates (and shows) the drop shadow window.
  void CreateShadow(bool show, bool reinitialise);
  /// Shadow size -35 … 35; 0 when out of range.
  int SetSize(int size);
  /// Shadow sharpness 0 … 35; 0 when out of range.
  int SetSharpness(int sharpness);
  /// Shadow darkness 0 … 255; 0 when out of range.
  int SetDarkness(int darkness);
  /// Shadow offsets, each -35 … 35; 0 when out of range.
  int SetPosition(int x, int y);
  /// Shadow colour.
  int SetShadowColor(GdiColor colour);
  /// Shadow picture drawn as a nine-slice frame; the corner is stored only when all values are >= 0.
  int SetShadowImage(std::u16string_view path, const Rect& corner);
  /// Shows or hides the shadow.
  int SetShadowShow(bool show);
  /// Switches the shadow off or on.
  void DisableShadow(bool disable);
  /// The shadow; none until created.
  MShadow* GetShadow() const;

  // ---- timers ----
  /// Starts a control timer; 0 when one for this control and key runs or the window timer fails.
  int SetTimer(MControl* control, std::uint32_t key, std::uint32_t milliseconds);
  /// Stops a control timer (the record stays for a restart with the same id); 0 when none runs.
  int KillTimer(MControl* control, std::uint32_t key);
  /// Stops and forgets every timer of a control.
  int KillTimer(MControl* control);
  /// Stops and forgets every control timer.
  void ClearTimers();
  /// The window timer id of a control timer; 0 when none.
  std::uintptr_t GetTimerWindowId(MControl* control, std::uint32_t key) const;
  /// Starts the animation timer; its id.
  std::uint32_t SetMTimer(std::uint32_t milliseconds);
  /// Restarts the animation timer if it parked itself while nothing animated.
  void WakeMTimer();
  /// The animation timer id; 0 when none.
  std::uint32_t GetMTimerId() const;
  /// Registers a control for animation ticks (no duplicate check).
  void AddMTimer(MControl* control);
  /// Removes the first registration of a control; 1, or 0 when absent.
  int DeleteFSTimer(MControl* control);

  // ---- overlays ----
  /// Status message: shown 3 s, then fading.
  void SetMessage(std::u16string text, const Rect& rect, MsgLevel level);
  /// Progress overlay; an empty rectangle means the bottom band.
  void SetProgress(int percent, std::u16string text, const Rect& rect);
  /// Status message alpha now (0 … 255).
  int GetMessageAlpha() const;
  /// Status message rectangle.
  Rect GetMessageRect() const;
  /// Status message text.
  std::u16string GetMessageText() const;
  /// Shown progress now.
  int GetShownProgress() const;
  /// Shows `text` in the tooltip near `rect` (client pixels); empty text hides it.
  void SetTooltip(std::u16string text, const Rect& rect);
  /// Hides the tooltip and clears its owner.
  void ClearTooltip();
  /// The control id that owns the shown tooltip; 0 = none.
  std::uint32_t GetTooltipCtrlID() const;
  /// Records the tooltip owner id.
  void SetTooltipCtrlID(std::uint32_t id);
  /// The tooltip window; none before first use.
  HWND GetTooltipWindow() const;
  /// Hands a message to the balloon window, creating it on first use.
  int SetAirBladderMsg(std::u16string text, Point screen, int type, int mode);
  /// Shows or hides the balloon for `owner` (0 = anyone); 0 when refused or no balloon.
  int ShowAirBladder(bool show, std::uint32_t owner);
  /// The balloon; none before first use.
  MAirBladder* GetAirBladder() const;
  /// Creates the caret with a size.
  void CreateCaret(const Image* bitmap, int width, int height);
  /// Moves the caret and records its owner.
  void SetCaretPos(MControl* owner, int x, int y);
  /// Starts or stops the caret blink.
  void ShowCaret(bool show);
  /// The caret owner; none.
  MControl* GetCurrentCaretObject() const;
  /// Draws the caret when its owner and the window have focus and the blink phase is on.
  void DrawCaret(RenderContext& hdc, const Rect& paintRect);

  // ---- resources ----
  /// A skin picture (cached by path; the first request's frame count wins); none on failure.
  const ImgResInfo* AddImgResInfo(std::u16string_view path, int frameCount);
  /// A registered resource picture (cached by id); none on failure.
  const ImgResInfo* AddImgResInfo(int resourceId, std::u16string_view resourceType, int frameCount,
                                  bool fromApplication);
  /// Drops every cached picture.
  void ClearImgResInfo();
  /// Adds a font file under a face name; its family, empty on failure.
  std::u16string AddTempFont(std::u16string faceName, std::u16string_view path);
  /// Adds a registered library "ttf" resource under a face name; its family, empty on failure.
  std::u16string AddTempFont(std::u16string faceName, int resourceId);
  /// Adds a registered library "ttf" resource for text drawing; false on failure.
  bool AddGDITempFont(int resourceId);
  /// The family of the global font face (the argument is ignored); empty when none.
  std::u16string FindTempFont(std::u16string_view faceName);
  /// Forgets the private fonts.
  void ClearTempFont();
  /// Scroll bar skin resource ids.
  void SetScrollResID(int vertical, int horizontal);
  /// The vertical scroll bar skin id.
  int GetScrollVID() const;
  /// The horizontal scroll bar skin id.
  int GetScrollHID() const;

  // ---- window message entry points ----
  /// Routes one window message; non-zero when handled.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  /// Tab navigation and tooltip relay; true consumes the message.
  bool PreTranslateMessage(const MSG& msg);
  /// The owning window reports its destruction.
  void OnDestroyMessage(HWND hwnd);
  /// Tears everything down once.
  void DestroyData();

 protected:
  /// Paints the update rectangle.
  LRESULT OnPaint();
  /// Window timers: caret, message, progress and control timers.
  LRESULT OnTimer(std::uintptr_t id);
  /// Animation ticks (timer thread).
  void OnMTimer(std::uint32_t id) override;
  /// Hit testing and hover.
  LRESULT OnMouseMove(std::uint32_t flags, Point point);
  /// Pointer left the window.
  LRESULT OnMouseLeave();
  /// Pointer rested.
  LRESULT OnMouseHover(std::uint32_t flags, Point point);
  /// Wheel (screen point).
  LRESULT OnMouseWheel(std::uint32_t flags, int delta, Point screen);
  /// Left button down.
  LRESULT OnLButtonDown(std::uint32_t flags, Point point);
  /// Left button up.
  LRESULT OnLButtonUp(std::uint32_t flags, Point point);
  /// Left double click.
  LRESULT OnLButtonDblClk(std::uint32_t flags, Point point);
  /// Right button down.
  LRESULT OnRButtonDown(std::uint32_t flags, Point point);
  /// Right button up.
  LRESULT OnRButtonUp(std::uint32_t flags, Point point);
  /// Right double click.
  LRESULT OnRButtonDblClk(std::uint32_t flags, Point point);
  /// Key down.
  LRESULT OnKeyDown(std::uint32_t key);
  /// Key up; 0.
  LRESULT OnKeyUp(std::uint32_t key);
  /// Activation change.
  LRESULT OnNcActivate(bool active);
  /// Size limits.
  LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
  /// Draws the background image or the back and border colours.
  void DrawBackImage(RenderContext& hdc, const Rect& client);
  /// Draws every area, then every top-level control.
  void DrawControl(RenderContext& hdc, const Rect& paintRect);

 private:
  friend class MControlFont;
  struct State;

  /// True on the host window's thread.
  bool OnWindowThread() const;
  /// Window, paint and timer messages of step 2 of message routing; `handled` false for others.
  LRESULT RouteWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  /// Mouse and key messages of step 2 of message routing; `handled` false for others.
  LRESULT RouteInputMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  /// Work other threads left for the window's thread: hide the tooltip, release the capture.
  void DoPendingWindowWork();
  /// Makes `control` the hover control unless it was removed meanwhile; none clears it.
  void SetHover(MControl* control);
  /// Clears the hover control when it is still `control`.
  void ClearHoverIf(MControl* control);
  /// Shared left and right button-down handling; `left` allows the window drag.
  LRESULT ButtonDown(bool left, std::uint32_t flags, Point point);
  /// Shared button-up handling.
  LRESULT ButtonUp(bool left, std::uint32_t flags, Point point);
  /// Shared double-click handling.
  LRESULT ButtonDblClk(bool left, std::uint32_t flags, Point point);
  /// Holds a paint back when the last one was less than the pacing interval ago; true when held.
  bool DeferPaint(const Rect& update);
  /// Composes the update rectangle (all of a new surface) in the window surface and presents that part.
  void ComposeAndPresent(const Rect& update);
  /// Re-renders every control over a changed background: caches reset, the whole client invalidated.
  void RepaintAll();
  /// Starts the status message fade (timer 88).
  void StartFade();
  /// Message hold, fade and progress timers; true when `id` was one of them.
  bool OnOverlayTimer(std::uintptr_t id);
  /// Dispatches a window timer to the control timers that run on it.
  void OnControlTimers(std::uintptr_t id);
  /// The private font family stored for a face; empty when it was not added.
  std::u16string FamilyOf(std::u16string_view faceName) const;
  /// Unlinks a top-level control from one list; none when it is not there.
  std::unique_ptr<MControl> UnlinkTopLevel(MControl* control);
  /// Forgets and disposes every control of a list (0 areas, 1 controls, 2 the unlisted ones).
  void ClearList(int kind);
  /// Hit-tests at the pointer when nothing is hovered (after activation), as a move there would.
  void HoverAtPointer();
  /// Unlinks the unlisted controls whose parent is `control` or one of its descendants.
  std::vector<std::unique_ptr<MControl>> TakeUnlistedUnder(MControl* control);

  std::unique_ptr<State> state_;
};

}  // namespace ZephUI

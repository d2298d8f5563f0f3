// A windowless control drawn into its host window: geometry and state flags,
// two owned child lists (areas below, controls above the control's own
// content), mouse, key and timer dispatch down the tree, cached rendering and
// repaint requests travelling up to the paint manager.
//
// Event and paint calls run on the window's thread; animation ticks arrive on
// the library's timer thread. Each child list has its own lock, held only
// while the list itself is read or changed; children are called from a
// snapshot. A control removed while one of its handlers runs stays alive until
// the window's current message is finished (see PaintManager), so no caller
// is ever left with a dangling pointer.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/ControlTypes.h"
#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MObject.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

class PaintManager;

/// Base of every control.
class ZEPHUI_API MControl : public MObject {
 public:
  /// A control at `rect` (window client pixels) under `parent`, which does not own it until inserted.
  MControl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled, bool mouseResponse);
  /// Removes and destroys every child first, then the cache surfaces.
  ~MControl() override;
  MControl(const MControl&) = delete;
  MControl& operator=(const MControl&) = delete;

  /// "FSControl".
  std::u16string_view GetClassNameW() const override;

  // ---- virtual operations, in slot order ----
  /// Called once after the manager is set; nothing by default.
  virtual void InitControl(PaintManager* manager);
  /// True when the point is inside the rectangle and the control is visible.
  virtual bool PtInRect(Point point) const;
  /// Draws the control's own content.
  virtual void DrawControl(RenderContext& hdc, const Rect& paintRect) = 0;
  /// Draws each visible child of the control list in list order.
  virtual void DrawSubControls(RenderContext& hdc, const Rect& paintRect);
  /// 0 by default.
  virtual int IsDraw(Point point);
  /// Sets the cache-valid flag and passes the call to every child whose rectangle meets this one.
  virtual void SetUpdate(bool update, GdiColor backColour);
  /// On losing focus, takes focus from every child; returns 0.
  virtual int SetControlFocus(FocusChange focus);
  /// Nothing by default.
  virtual void InitUI(const Rect& rect);
  /// Translates a window point into content coordinates; no change by default.
  virtual void OnMousePointChange(Point& point);
  /// Whether the control takes the mouse at this point; 1 by default.
  virtual int OnCheckMouseResponse(std::uint32_t flags, Point point);
  /// A raw window message offered to top-level controls; 0 by default.
  virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  /// A notification from a child; 0 by default.
  virtual LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam);
  /// Called after SetRect stored the rectangle; nothing by default.
  virtual void SetControlRect(const Rect& rect);
  /// Called when the visible flag changes; nothing by default.
  virtual void SetControlVisible(bool visible);
  /// Shows or hides the control's own windows; nothing by default.
  virtual void SetControlWndVisible(bool visible);
  /// Called when the enabled flag changes; nothing by default.
  virtual void SetControlEnabled(bool enabled);
  /// One animation or control timer tick; 0 by default.
  virtual int OnControlTimer();
  /// The picture dragged from this control; none by default.
  virtual std::unique_ptr<Image> GetControlDropBitmap();
  /// Mouse moved over the control; 0 by default.
  virtual int OnControlMouseMove(std::uint32_t flags, Point point);
  /// Sets the control's cursor when it has one and the point is inside; 1 then.
  virtual int OnControlSetCursor(std::uint32_t flags, Point point);
  /// Left button down; 0 by default.
  virtual int OnControlLButtonDown(std::uint32_t flags, Point point);
  /// Left button up; 0 by default.
  virtual int OnControlLButtonUp(std::uint32_t flags, Point point);
  /// Left double click; 0 by default.
  virtual int OnControlLButtonDblClk(std::uint32_t flags, Point point);
  /// One wheel step (bar 1 vertical; direction 1 down); 0 by default.
  virtual int OnControlScroll(int bar, int direction, Point point);
  /// Right button down; 0 by default.
  virtual int OnControlRButtonDown(std::uint32_t flags, Point point);
  /// Right button up; 0 by default.
  virtual int OnControlRButtonUp(std::uint32_t flags, Point point);
  /// Right double click; 0 by default.
  virtual int OnControlRButtonDblClk(std::uint32_t flags, Point point);
  /// A key; 1 when an accelerator is set and key and modifier mask match.
  virtual int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers);
  /// Called after the position changed; nothing by default.
  virtual void OnPositionChange();
  /// Asks the host window to repaint the control's rectangle (the whole window when layered).
  virtual void InvalidateRect(const Rect& rect, EraseMode erase);

  // ---- geometry and state ----
  /// The rectangle in window client pixels.
  Rect GetRect() const;
  /// Stores the rectangle through SetControlRect and repaints the union of old and new when visible.
  void SetRect(const Rect& rect);
  /// SetRect of (x, y, x + width, y + height).
  void SetRect(int x, int y, int width, int height);
  /// Shows or hides; nothing when unchanged, else SetControlVisible and a repaint with cache reset.
  void SetVisible(bool visible);
  /// As SetVisible, repainting only with RepaintMode::Repaint.
  void SetVisible(bool visible, RepaintMode repaint);
  /// Enables or disables; nothing when unchanged, else SetControlEnabled and a repaint when visible.
  void SetEnabled(bool enabled);
  /// The visible flag.
  bool IsVisible() const;
  /// The enabled flag.
  bool IsEnabled() const;
  /// True when every ancestor up to the dialog is visible; false without a parent.
  bool IsParentVisible() const;
  /// Sets the tab-stop flag.
  void SetTabStop(bool tabStop);
  /// The tab-stop flag.
  bool IsTabStop() const;
  /// Sets the drag-and-drop source flag.
  void SetDragDrop(bool dragDrop);
  /// The drag-and-drop source flag.
  bool IsDragDrop() const;
  /// Sets whether the control takes mouse and key events.
  void SetRresponse(bool response);
  /// Whether the control takes mouse and key events.
  bool GetRresponse() const;
  /// The double-click mode flag.
  bool GetDblClk() const;
  /// Sets the double-click mode flag (a second click arrives as a double click).
  void SetDblClk(bool doubleClick);
  /// The focused flag.
  bool IsFocused() const;
  /// The key-down flag.
  bool IsKeyDown() const;
  /// The cache-valid flag.
  bool GetUpdate() const;
  /// Sets the run-timer flag (animation ticks reach the control only while it is set).
  void SetRunTimer(bool run);
  /// The run-timer flag.
  bool IsRunTimer() const;
  /// The image-ECM flag (kept for derived controls).
  bool UseImageECM() const;
  /// Sets the image-ECM flag.
  void SetImageECM(bool use);
  /// The control id.
  std::uint32_t GetControlID() const;
  /// The parent object (not owned).
  MObject* GetParantObject() const;
  /// Replaces the parent object.
  void SetParent(MObject* parent);
  /// The paint manager (not owned); none before the factory set it.
  PaintManager* GetManager() const;
  /// Stores the manager and calls InitControl.
  void SetManager(PaintManager* manager);
  /// Turns the double-click notification (NOTIFY_DBLCLICK) on or off.
  void SetNotifyDblClk(bool notify);
  /// Turns the key-down notification (NOTIFY_KEYDOWN) on or off.
  void SetNotifyKeyDown(bool notify);
  /// Turns mouse-leave tracking on or off.
  void SetTrackMouseLeave(bool track);
  /// True while the pointer is outside the control (with leave tracking on).
  bool IsMouseOutside() const;

  // ---- tree ----
  /// A snapshot of the control list.
  std::vector<MControl*> GetControls() const;
  /// A snapshot of the area list.
  std::vector<MControl*> GetAreas() const;
  /// Depth-first search by id over the control list, then the area list; none when absent.
  MControl* GetControl(std::uint32_t id) const;
  /// Appends an owned child to the control list (kind 1) or the area list (kind 0); returns it.
  MControl* AddChild(std::unique_ptr<MControl> child, int kind);
  /// Takes focus from the child, removes it from the control list and destroys it; 0.
  int RemoveControl(MControl* child);
  /// Removes and destroys every child of both lists.
  void RemoveAllControl();
  /// The focused child of the control list; none when no child has focus.
  MControl* GetFocusControl() const;
  /// The next visible, enabled tab-stop child after the focused one (wrapping); none when none.
  MControl* GetNextFocusableControl() const;
  /// The previous visible, enabled tab-stop child before the focused one (wrapping); none when none.
  MControl* GetPrevFocusableControl() const;
  /// The control list's hover child; none.
  MControl* GetHoverChild() const;
  /// Forgets `control` wherever this subtree remembers it (hover child); used on removal.
  void ForgetReferencesTo(const MControl* control);

  // ---- repaint requests ----
  /// Parent's OnControlUpdate(rect, reset, this) when visible or forced.
  void UpdateControl(CacheReset reset, UpdateForce force = UpdateForce::IfVisible);
  /// The same with an explicit rectangle.
  void UpdateControl(const Rect& rect, CacheReset reset, UpdateForce force = UpdateForce::IfVisible);
  /// Marks the animation cache valid (unless KeepState), then repaints without cache reset.
  void UpdateAControl(AnimationCache animation, UpdateForce force = UpdateForce::IfVisible);

  // ---- event entry points, called by the parent or the manager ----
  /// Mouse move (window client point).
  int OnMouseMove(std::uint32_t flags, Point point);
  /// Left button down.
  int OnLButtonDown(std::uint32_t flags, Point point);
  /// Left button up.
  int OnLButtonUp(std::uint32_t flags, Point point);
  /// Left double click.
  int OnLButtonDblClk(std::uint32_t flags, Point point);
  /// Right button down.
  int OnRButtonDown(std::uint32_t flags, Point point);
  /// Right button up.
  int OnRButtonUp(std::uint32_t flags, Point point);
  /// Right double click.
  int OnRButtonDblClk(std::uint32_t flags, Point point);
  /// One wheel step.
  int OnScroll(int bar, int direction, Point point);
  /// A key down, descending to the focused child.
  int OnKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers);
  /// A key up; 0.
  int OnKeyUp(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers);
  /// A timer tick: OnControlTimer, then every running, visible child; 1 when any returned 1.
  int OnTimer();
  /// Gives or takes focus through SetControlFocus.
  int OnFocus(FocusChange focus);
  /// True when this control is the manager's focus control.
  bool IsFocusControl() const;

  // ---- drawing ----
  /// Draws areas, own content and children when visible and meeting `paintRect`.
  void Draw(RenderContext& hdc, const Rect& paintRect);
  /// Makes the cache surface `width` x `height` (new only when the size differs) and marks the cache valid.
  Image* UpdateMemDC(RenderContext& hdc, int width, int height);
  /// Makes the animation surface `width` x `height` (new only when the size differs).
  Image* UpdateAnimateDC(RenderContext& hdc, int width, int height);
  /// The cache surface; none before UpdateMemDC.
  Image* GetMemImage() const;
  /// The animation surface; none before UpdateAnimateDC.
  Image* GetAnimateImage() const;
  /// GetControlDropBitmap.
  std::unique_ptr<Image> GetDropBitmap();

  // ---- timers, tooltips, cursor, notifications ----
  /// Registers the control with its manager's animation timer.
  void AddMTimer();
  /// Stores tooltip text shown when the pointer rests on the control.
  void SetTooltip(std::u16string text);
  /// Shows the tooltip at once at `rect` and makes this control the tooltip owner.
  void SetTooltip(std::u16string text, const Rect& rect);
  /// Hides the tooltip.
  void ClearTooltip();
  /// The stored tooltip text.
  std::u16string GetTooltip() const;
  /// Does nothing.
  void SetTooltipCtrlID(std::uint32_t id);
  /// 0.
  std::uint32_t GetTooltipCtrlID() const;
  /// Sets the cursor from "arrow", "wait", "cross", "sizewe", "sizens", "hand" or "help"; other names change nothing. 0.
  int SetCursorEx(std::u16string_view name);
  /// The control's cursor; none leaves the cursor alone.
  HCURSOR GetCursor() const;
  /// The parent's OnBaseMessage(id, msg, wParam, lParam).
  LRESULT SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
  /// Resolves a layout position between `low` and `high`; 0 for an unknown mode.
  static int PositionItem2Value(const PositionItem& item, int low, int high);

 protected:
  /// Calls `visit` for each control-list child of a snapshot, stopping when it returns true.
  template <typename Visit>
  bool ForEachControl(Visit visit) const {
    for (MControl* child : GetControls()) {
      if (visit(child)) return true;
    }
    return false;
  }
  /// True for the panel scroll bars, which take window points.
  static bool TakesWindowPoint(const MControl* child);
  /// The point a child gets: the window point for scroll bars, else the content point.
  static Point PointFor(const MControl* child, Point window, Point content);

  MObject* parent_;                                ///< not owned
  PaintManager* manager_ = nullptr;                ///< not owned
  std::uint32_t id_;                               ///< control id
  Rect rect_;                                      ///< window client pixels
  std::atomic<bool> visible_;                      ///< drawn and takes input
  std::atomic<bool> enabled_;                      ///< takes input
  bool dragDrop_ = false;                          ///< drag source
  std::atomic<bool> response_;                     ///< takes mouse and key events
  bool tabStop_ = false;                           ///< reached by Tab
  bool dblClk_ = false;                            ///< a second click is a double click
  bool pressedInside_ = false;                     ///< a press started inside: moves follow it
  bool keyDown_ = false;                           ///< a key is down on the control
  std::atomic<bool> focused_{false};               ///< has the focus
  std::uint32_t accelKey_ = 0;                     ///< accelerator key, 0 = none
  std::uint32_t accelModifiers_ = 0;               ///< accelerator modifier mask
  std::atomic<bool> update_{false};                ///< cache valid
  std::atomic<bool> animateUpdate_{false};         ///< animation cache valid
  std::atomic<bool> runTimer_{false};              ///< animation ticks reach the control
  bool imageEcm_ = false;                          ///< image-ECM flag
  std::atomic<MControl*> hoverChild_{nullptr};     ///< not owned; cleared from the timer thread on removal
  std::unique_ptr<Image> memImage_;                ///< cached state images
  std::unique_ptr<Image> animateImage_;            ///< cached animation frames
  std::u16string tooltip_;                         ///< empty = none
  HCURSOR cursor_ = nullptr;                       ///< none = leave the cursor alone
  bool notifyDblClk_ = false;                      ///< report NOTIFY_DBLCLICK
  bool notifyKeyDown_ = false;                     ///< report NOTIFY_KEYDOWN
  bool trackMouseLeave_ = false;                   ///< follow the pointer leaving
  bool mouseOutside_ = true;                       ///< the pointer is outside

 private:
  friend class PaintManager;
  /// Makes `child` the hover child when it is still in the control list (none clears it).
  void SetHoverChild(MControl* child);
  /// Clears the hover child when it is `child`.
  void ClearHoverChildIf(const MControl* child);
  /// Unlinks a child from one list; none when it is not there.
  std::unique_ptr<MControl> Unlink(MControl* child, int kind);
  /// Hands a removed child to its manager for disposal, or destroys it without one.
  void Discard(std::unique_ptr<MControl> child);
  /// The entry points and handlers of one mouse button, so both buttons share one dispatch.
  struct ButtonHandlers;
  /// The left button's handlers.
  static const ButtonHandlers kLeftButton;
  /// The right button's handlers.
  static const ButtonHandlers kRightButton;
  /// Button-down dispatch: the last responsive child under the point, else focus and the own handler.
  int ButtonDown(const ButtonHandlers& button, std::uint32_t flags, Point point);
  /// Button-up dispatch: the hover child, else the own handler.
  int ButtonUp(const ButtonHandlers& button, std::uint32_t flags, Point point);
  /// Double-click dispatch, falling back to a button-down where double clicks are off.
  int ButtonDblClk(const ButtonHandlers& button, std::uint32_t flags, Point point);

  std::atomic<bool> detached_{false};              ///< out of the tree: never referenced again
  std::atomic<std::size_t> areaCount_{0};          ///< areas_.size(), read without the lock
  std::atomic<std::size_t> controlCount_{0};       ///< controls_.size(), read without the lock
  mutable std::mutex areaLock_;                    ///< guards areas_
  std::vector<std::unique_ptr<MControl>> areas_;   ///< drawn below, no events
  mutable std::mutex controlLock_;                 ///< guards controls_
  std::vector<std::unique_ptr<MControl>> controls_;///< drawn above, take events
};

}  // namespace ZephUI

// The application's dialog base: a window with a paint manager, the
// class-name factory for its controls, one OnMessage through which every
// control notification arrives, overlays, and close codes through the dialog
// message 1090 (DoOK 1, DoCancel 2, DoClose 2, DoYes 6, DoNo 7).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/ControlTypes.h"
#include "zephui/Export.h"
#include "zephui/MObject.h"
#include "zephui/MWindow.h"
#include "zephui/PaintManager.h"

namespace ZephUI {

class WindowClassShared;

/// The dialog message carrying a close code in wParam (WM_USER + 66).
inline constexpr UINT WM_DIALOG_CLOSE = 1090;

/// A skinned dialog.
class ZEPHUI_API MDialog : public MWindow, public MObject {
 public:
  /// A dialog without window.
  MDialog();
  /// Destroys the window and its controls.
  ~MDialog() override;

  /// "MDialog".
  std::u16string_view GetClassNameW() const override;
  /// Forwards to OnMessage.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Forwards to the paint manager.
  LRESULT OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) override;
  /// Handlers first, then the paint manager, then the previous procedure.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Passes to the paint manager (Tab navigation, tooltip relay).
  bool PreTranslateMessage(const MSG& msg) override;
  /// Attaches the paint manager and calls InitUI with the client rectangle.
  int OnInitDialog() override;
  /// Tears the paint manager down, then PostNcDestroy.
  void OnDestroyMessage(HWND hwnd) override;

  // ---- virtual operations, continuing MWindow's slots ----
  /// The screen point below a control: type 0 left, 1 centre, 2 right of its bottom edge.
  virtual Point GetAirBladderPoint(MControl* control, int type);
  /// Shows the window minimised.
  virtual void OnMinimize();
  /// Toggles between maximised and restored.
  virtual void OnMaximize();
  /// Builds the controls; nothing by default.
  virtual void InitUI(const Rect& clientRect);
  /// Lays the controls out after a size change; nothing by default.
  virtual void UISize(const Rect& clientRect);
  /// Control notifications and forwarded messages; 0 by default.
  virtual LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam);
  /// The dialog message: posts a close message with the same parameters; 1.
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  /// Removes caption and sizing frame, adds clip bits; 1.
  virtual LRESULT OnCreate(const CREATESTRUCT* create);
  /// Applies translucency, reads the client rectangle, UISize, repaints.
  virtual LRESULT OnSize(std::uint32_t type, int width, int height);
  /// 0.
  virtual LRESULT OnMouseMove(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnMouseLeave();
  /// 0.
  virtual LRESULT OnMouseHover(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnMouseWheel(std::uint32_t flags, int delta, Point screen);
  /// 0.
  virtual LRESULT OnLButtonDown(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnLButtonUp(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnLButtonDblClk(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnRButtonDown(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnRButtonUp(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnRButtonDblClk(std::uint32_t flags, Point point);
  /// 0.
  virtual LRESULT OnKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags);
  /// 0.
  virtual LRESULT OnNcHitTest(Point screen);
  /// 0.
  virtual LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
  /// 0.
  virtual LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  /// 0.
  virtual LRESULT OnNcActivate(bool active);
  /// 1.
  virtual LRESULT OnWindowPosChanging(WINDOWPOS* position);
  /// 1.
  virtual LRESULT OnWindowPosChanged(WINDOWPOS* position);
  /// 0.
  virtual LRESULT OnPaint();
  /// 0.
  virtual LRESULT OnTimer(std::uintptr_t id);
  /// 0.
  virtual LRESULT OnNcPaint();
  /// 1.
  virtual LRESULT OnClose(WPARAM wParam, LPARAM lParam);
  /// 0.
  virtual LRESULT OnDestroy();
  /// Last call after destruction: a heap dialog may delete itself here.
  virtual void PostNcDestroy();

  // ---- factory ----
  /// A top-level control built by name with the dialog as parent; none for an unknown name.
  MControl* CreateControl(std::u16string_view className, std::uint32_t id, const Rect& rect, std::u16string_view text,
                          bool visible, bool enabled);
  /// A top-level area built by name; none for an unknown name.
  MControl* CreateArea(std::u16string_view className, std::uint32_t id, const Rect& rect, std::u16string_view text,
                       bool visible, bool enabled);
  /// A control by id; none.
  MControl* GetControl(std::uint32_t id) const;
  /// A snapshot of the top-level controls.
  std::vector<MControl*> GetControls() const;
  /// Moves the focus.
  void SetFocusControl(MControl* control);
  /// The paint manager.
  PaintManager& GetPaintManager();

  // ---- appearance ----
  /// Background from the skin folder; 1 or 0.
  int LoadBKImage(std::u16string_view fileName);
  /// Background from a registered resource; 1 or 0.
  int LoadBKImage(int resourceId, std::u16string_view resourceType);
  /// Background mode and corner size.
  void SetBackMode(enumBackMode mode, int frameSize);
  /// Scroll bar skin ids.
  void SetScrollResID(int vertical, int horizontal);
  /// Per-pixel alpha window.
  void SetLayeredWindow(bool layered);
  /// Window dragging on or off.
  void EnableWndDrag(bool enable);
  /// Colour key and constant alpha: layered with the alpha, else with the key made transparent.
  void SetupBackTranslucent();
  /// Sets the colour key (FFFFFF = none) used by SetupBackTranslucent.
  void SetColorKey(GdiColor key);
  /// Sets the constant alpha (255 = opaque) used by SetupBackTranslucent.
  void SetWindowAlpha(std::uint8_t alpha);
  /// Vertical offset of default status-message boxes.
  void SetMessageOffset(int offset);

  // ---- shadow (see PaintManager) ----
  /// Creates the shadow.
  void CreateShadow(bool show, bool reinitialise);
  /// Shadow size.
  int SetSize(int size);
  /// Shadow sharpness.
  int SetSharpness(int sharpness);
  /// Shadow darkness.
  int SetDarkness(int darkness);
  /// Shadow offsets.
  int SetPosition(int x, int y);
  /// Shadow colour.
  int SetShadowColor(GdiColor colour);
  /// Shadow picture with its corner rectangle.
  int SetShadowImage(std::u16string_view path, const Rect& corner);
  /// Shows or hides the shadow.
  int SetShadowShow(bool show);

  // ---- overlays ----
  /// Status message; an empty rectangle becomes a 200 x 58 box centred at the bottom.
  void SetMessage(std::u16string text, const Rect& rect, MsgLevel level);
  /// Progress overlay.
  void SetProgress(int percent, std::u16string text, const Rect& rect);
  /// Tooltip near `rect`.
  void SetTooltip(std::u16string text, const Rect& rect);
  /// Hides the tooltip.
  void ClearTooltip();
  /// Balloon at a screen point (mode 3); 0 when the point has a zero coordinate.
  int SetAirBladderMsg(std::u16string text, Point screen, int type);

  // ---- timers ----
  /// Starts the animation timer.
  std::uint32_t SetMTimer(std::uint32_t ms);
  /// Stops an animation timer.
  int KillMTimer(std::uint32_t id);

  // ---- closing ----
  /// Closes with code 1.
  void DoOK();
  /// Closes with code 2.
  void DoCancel();
  /// Closes with code 2.
  void DoClose();
  /// Closes with code 6.
  void DoYes();
  /// Closes with code 7.
  void DoNo();

 protected:
  /// Routes the handlers of step 1 of message handling; true when the message is finished.
  bool RouteToHandlers(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  std::unique_ptr<PaintManager> manager_;  ///< the window's paint manager
  Rect clientRect_;                        ///< client rectangle
  GdiColor colourKey_{0xFFFFFF};           ///< FFFFFF = none
  std::uint8_t alpha_ = 255;               ///< 255 = opaque
  int messageOffset_ = 0;                  ///< moves default message boxes down

 private:
  friend class WindowClassShared;
  int dispatchDepth_ = 0;                  ///< messages of the window being handled now
  bool finalPending_ = false;              ///< PostNcDestroy waits for the outermost message
};

}  // namespace ZephUI

// A transient popup with its own paint manager that closes itself when it
// loses activation (the combo box list is one). Its controls notify its
// OnMessage; SendMessageToParent reaches the owner object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zephui/Color.h"
#include "zephui/ControlTypes.h"
#include "zephui/Export.h"
#include "zephui/MObject.h"
#include "zephui/MWindow.h"
#include "zephui/PaintManager.h"

namespace ZephUI {

class WindowClassShared;

/// A self-closing popup window.
class ZEPHUI_API MPopupWnd : public MWindow, public MObject {
 public:
  /// A popup for `owner` (not owned; may be none).
  explicit MPopupWnd(MObject* owner);
  /// Destroys the window and its controls.
  ~MPopupWnd() override;

  /// Forwards to OnMessage.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Forwards to the paint manager.
  LRESULT OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) override;
  /// Handlers first, then the paint manager, then the previous procedure.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Passes to the paint manager.
  bool PreTranslateMessage(const MSG& msg) override;
  /// Attaches the manager, turns window dragging off, calls InitUI.
  int OnInitDialog() override;
  /// Tears the paint manager down, then PostNcDestroy.
  void OnDestroyMessage(HWND hwnd) override;

  // ---- virtual operations, continuing MWindow's slots ----
  /// The owner object.
  virtual MObject* GetParent() const;
  /// Builds the controls; nothing by default.
  virtual void InitUI(const Rect& clientRect);
  /// Lays out after a size change; nothing by default.
  virtual void UISize(const Rect& clientRect);
  /// Notifications of the popup's controls; 0 by default.
  virtual LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam);
  /// The dialog message: posts a close message; 1.
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  /// Posts a close request.
  virtual void CloseWindow();
  /// As MDialog, and the extended style becomes the tool-window style alone; 1.
  virtual LRESULT OnCreate(const CREATESTRUCT* create);
  /// UISize and repaint.
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
  /// Posts a close request when deactivated; 1.
  virtual LRESULT OnNcActivate(bool active);
  /// 1.
  virtual LRESULT OnWindowPosChanging(WINDOWPOS* position);
  /// Refreshes, sends itself move and size, calls OnSize; 1.
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
  /// Last call after destruction.
  virtual void PostNcDestroy();

  // ---- operations ----
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
  /// Applies the colour key or alpha.
  void SetupBackTranslucent();
  /// Clips the window to a rounded rectangle of that corner diameter.
  void SetupRegion(int diameter);
  /// A control built by name with the popup as parent; none for an unknown name.
  MControl* CreateControl(std::u16string_view className, std::uint32_t id, const Rect& rect, std::u16string_view text,
                          bool visible, bool enabled);
  /// An area built by name; none for an unknown name.
  MControl* CreateArea(std::u16string_view className, std::uint32_t id, const Rect& rect, std::u16string_view text,
                       bool visible, bool enabled);
  /// A control by id; none.
  MControl* GetControl(std::uint32_t id) const;
  /// The owner's OnMessage(0, msg, wParam, lParam); 0 without owner.
  LRESULT SendMessageToParent(UINT msg, WPARAM wParam, LPARAM lParam);
  /// The paint manager.
  PaintManager& GetPaintManager();

 protected:
  MObject* owner_;                         ///< not owned
  std::unique_ptr<PaintManager> manager_;  ///< the window's paint manager
  GdiColor colourKey_{0xFFFFFF};           ///< FFFFFF = none
  std::uint8_t alpha_ = 255;               ///< 255 = opaque

 private:
  friend class WindowClassShared;
  int dispatchDepth_ = 0;                  ///< messages of the window being handled now
  bool finalPending_ = false;              ///< PostNcDestroy waits for the outermost message
};

}  // namespace ZephUI

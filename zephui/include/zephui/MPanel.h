// A container with its own child controls, two scroll bars (ids 1 and 2)
// and a virtual content size: the base of lists, the keyboard picture, the
// key picker, palettes and tab layouts.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

class MScroll;

/// The scroll size: the thickness of a panel's scroll bars in pixels.
inline constexpr int PANEL_SCROLL_SIZE = 7;

/// Base of containers.
class ZEPHUI_API MPanel : public MControlFont {
 public:
  /// A panel with an empty title, enabled and mouse-responsive; its scroll bars are its first two children.
  MPanel(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  ~MPanel() override;

  // ---- virtual operations, continuing MControlFont's slots ----
  /// Builds a child through the panel factory and appends it to the area list.
  virtual MControl* CreateArea(std::u16string_view className, std::uint32_t id, const Rect& rect,
                               std::u16string_view text, bool visible, bool enabled);
  /// Builds a child through the panel factory: kind 0 area list, 1 control list, other no list.
  virtual MControl* CreateControl(int kind, MObject* parent, std::u16string_view className, std::uint32_t id,
                                  const Rect& rect, std::u16string_view text, bool visible, bool enabled);
  /// Builds a child through the panel factory and appends it to the control list.
  virtual MControl* CreateControl(std::u16string_view className, std::uint32_t id, const Rect& rect,
                                  std::u16string_view text, bool visible, bool enabled);
  /// A key released; 0.
  virtual int OnControlKeyUp(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers);

  // ---- overrides ----
  /// Sets the children-initialised flag and gives both bars the manager.
  void InitControl(PaintManager* manager) override;
  /// Nothing of its own: derived panels draw.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Draws nothing while scrolled content is larger than the panel.
  void DrawSubControls(RenderContext& hdc, const Rect& paintRect) override;
  /// Adds the content offsets while scrolled.
  void OnMousePointChange(Point& point) override;
  /// Stores the rectangle, resets the virtual size and places the bars.
  void SetControlRect(const Rect& rect) override;
  /// Stores the flag and applies it to the children.
  void SetControlEnabled(bool enabled) override;
  /// Stores the flag and calls SetControlWndVisible.
  void SetControlVisible(bool visible) override;
  /// Moves the vertical bar one step; 1 when it moved.
  int OnControlScroll(int bar, int direction, Point point) override;
  /// Offers the raw message to each child of the control list.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Passes the notification to the panel's parent.
  LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Passes the notification to the panel's parent.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Repaints `rect` moved into the panel, resetting later overlapping children.
  LRESULT OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) override;

  // ---- panel operations ----
  /// The vertical bar (id 1).
  MScroll* GetScrollVertical() const;
  /// The horizontal bar (id 2).
  MScroll* GetScrollHorizontal() const;
  /// Sets the content size; shows each bar only when the content is larger than the panel.
  void SetVirtualSize(int width, int height);
  /// Content width; 0 = the panel's.
  int GetVirtualWidth() const;
  /// Content height; 0 = the panel's.
  int GetVirtualHeight() const;
  /// Turns scrolling on or off.
  void SetScrollEnabled(bool enabled);
  /// Whether scrolling is on.
  bool IsScrollEnabled() const;
  /// The vertical content offset now (pixels scrolled).
  int GetVerticalOffset() const;
  /// The horizontal content offset now (pixels scrolled).
  int GetHorizontalOffset() const;
  /// True when the content is larger than the panel in either direction and scrolling is on.
  bool IsScrolled() const;

 protected:
  /// Places the bars along the right and bottom edges and updates their visibility and range.
  void LayoutScrollBars();

  MScroll* vertical_ = nullptr;     ///< owned by the control list
  MScroll* horizontal_ = nullptr;   ///< owned by the control list
  bool scrollEnabled_ = true;       ///< scrolling on
  int virtualWidth_ = 0;            ///< content width
  int virtualHeight_ = 0;           ///< content height
  int horizontalOffset_ = 0;        ///< kept horizontal offset
  bool childrenInitialised_ = false;///< set by InitControl
};

}  // namespace ZephUI

// A strip of tabs, each an icon over a title, laid out side by side or one
// below the other. Choosing a tab reports NOTIFY_CLICKED (index, 0), shows the
// page bound to it and hides the pages of the other tabs. The strip draws four
// pictures once into its cache (rest, hover, selected, disabled) and shows the
// rest picture with the hovered and selected tabs copied over it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"
#include "zephui/TabItemInfo.h"

namespace ZephUI {

/// Control timer key of the animated tab change.
inline constexpr std::uint32_t TAB_ANIMATION_TIMER = 100;

/// The library's tab strip ("MTabCtrl" in the factory).
class ZEPHUI_API MTabCtrl : public MControlFont {
 public:
  /// An empty horizontal strip; nothing selected.
  MTabCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  /// Frees the records and their icons; the pages stay with whoever owns them.
  ~MTabCtrl() override;

  // ---- overrides ----
  /// Inside the rectangle; within the band of the tabs only over a visible tab, so the rest reaches controls below.
  bool PtInRect(Point point) const override;
  /// The rest picture with the hovered, then the selected tab copied over it.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Hovers the tab under the pointer; outside, clears the hover and the strip's tooltip.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Selects the hovered tab when released over it.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// A wheel step over the selected tab goes to its page.
  int OnControlScroll(int bar, int direction, Point point) override;
  /// Arrows along the strip move the selection while it has the focus; other keys go to the selected page.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// One step of the animated change.
  int OnControlTimer() override;
  /// Drops the cache so the strip renders in its new colours.
  void SetTextColor(ArgbColor colour) override;
  /// Passes its pages' notifications on to its own parent.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;

  // ---- tabs ----
  /// Appends a visible tab with an icon strip from the skin folder (frame count -1 means 3; width 0 means the icon's); 1.
  int InsertItem(int id, std::u16string title, std::u16string_view iconFile, MControl* page, int frameCount, int width);
  /// Inserts the record before `index` (appends when negative or past the end) and lays the tabs out.
  void InsertItem(int index, TabItemInfo record);
  /// Removes a tab (and its page when the page is the strip's child) and lays out again.
  void DeleteItem(int index);
  /// Replaces a tab's title.
  void SetItemText(int index, std::u16string title);
  /// Shows or hides a tab, then lays out again.
  void SetItemVisible(int index, bool visible);
  /// True when the tab exists and is shown.
  bool GetItemVisible(int index) const;
  /// The application's id of a tab; 0 when out of range.
  int GetItemID(int index) const;
  /// The number of tabs.
  int GetItemCount() const;
  /// The record of a tab in place; none when out of range.
  TabItemInfo* GetItemInfo(int index);
  /// Lays the tabs out again (one pixel between vertical tabs) and shows the selected page.
  void RefreshItems();

  // ---- selection ----
  /// Selects a tab: NOTIFY_CLICKED (index, 0) first, then the pages; returns the previous selection.
  int SetSelectItem(int index);
  /// The selected tab; -1 for none.
  int GetSelectItem() const;
  /// The tab under the pointer; -1 for none.
  int GetHoverItem() const;

  // ---- geometry ----
  /// Horizontal or vertical.
  void SetTabType(TAB_TYPE type);
  /// The orientation.
  TAB_TYPE GetTabType() const;
  /// Vertical strips: the width of every tab; also the band that takes the mouse only over tabs.
  void SetTabCtrlWidth(int width);
  /// Vertical strips: the height of every tab; horizontal ones: the height of the tabs and of their band.
  void SetTabCtrlHeight(int height);
  /// The strip width.
  int GetCtrlWidth() const;
  /// The strip height.
  int GetCtrlHeight() const;
  /// Space before the first tab and after the last, horizontally.
  void SetLeftRightPading(int left, int right);
  /// Space before the first tab and after the last, vertically.
  void SetTopBottomPading(int top, int bottom);
  /// Horizontal strips: tab width is the share of the width, kept between smallest and largest (largest alone when smallest <= 0).
  void SetItemWidth(int largest, int smallest, bool relayout);
  /// Vertical strips: tab height is the share of the height, kept between smallest and largest.
  void SetItemHeight(int largest, int smallest, bool relayout);
  /// The computed tab width of a horizontal strip; 0 = each tab its own.
  int GetItemWidth() const;
  /// The computed tab height of a vertical strip; 0 = the strip height.
  int GetItemHeight() const;

  // ---- animation and tooltips ----
  /// Turns the animated tab change on or off.
  void EnableAnimateChangeTab(bool on);
  /// The rectangle repainted on each step of the animated change; empty = the strip.
  void SetUpdataRect(const Rect& rect);
  /// The offset of the running change in pixels; 0 when none runs.
  int GetAnimationOffset() const;
  /// Shows `text` as the strip's tooltip over the tab; a repeated call for the same tab does nothing.
  void SetTabTooltip(int index, std::u16string text);
  /// Does nothing: the tooltip goes when the pointer leaves the strip.
  void ClearTabTooltip();

  // ---- pages ----
  /// "MTabLayout" makes a visible page as the strip's own child; any other name makes nothing.
  MControl* CreatePanel(std::u16string_view className, std::uint32_t id, const Rect& rect);

 private:
  /// Lays the tabs out; `verticalGap` pixels between vertical tabs.
  void Layout(int verticalGap);
  /// Clamps selection and hover, shows the selected page, repaints.
  void AfterLayout();
  /// Shows the page of the selected tab and hides the others.
  void ShowPages();
  /// Re-applies the item size limits of the strip's orientation.
  void ApplyLimits();
  /// True for an existing tab.
  bool Valid(int index) const;
  /// The visible tab containing the point; -1 for none.
  int TabAt(Point point) const;
  /// The last visible tab; -1 for none.
  int LastVisible() const;
  /// The visible tab next to `from` in `step` direction; `from` when none.
  int NextVisible(int from, int step) const;
  /// True inside the band of the tabs (along the strip's edge).
  bool InBand(Point point) const;
  /// Changes the hover; a change repaints.
  void SetHover(int index);
  /// Draws every visible tab of one picture into `slot`.
  void RenderPicture(RenderContext& target, const Rect& slot, int picture);
  /// Icon frame and title of one tab.
  void DrawTab(RenderContext& target, const Rect& slot, const TabItemInfo& tab, int picture, const Font& font);
  /// Copies one tab from cache picture `picture` onto the host picture.
  void CopyTab(RenderContext& hdc, int index, int picture);
  /// Starts the animated change.
  void StartAnimation();

  std::vector<std::unique_ptr<TabItemInfo>> items_;  ///< the tabs in order
  TAB_TYPE type_ = TAB_TYPE_HORIZONTAL;              ///< orientation
  int stripWidth_ = 0;                               ///< vertical: tab width
  int stripHeight_ = 0;                              ///< tab height
  int widthLargest_ = 0;                             ///< largest tab width
  int widthSmallest_ = 0;                            ///< smallest tab width; 0 = no share
  int itemWidth_ = 0;                                ///< computed tab width (horizontal)
  int heightLargest_ = 0;                            ///< largest tab height
  int heightSmallest_ = 0;                           ///< smallest tab height; 0 = no share
  int itemHeight_ = 0;                               ///< computed tab height (vertical)
  int padLeft_ = 0;                                  ///< before the first tab, horizontally
  int padRight_ = 0;                                 ///< after the last tab, horizontally
  int padTop_ = 0;                                   ///< before the first tab, vertically
  int padBottom_ = 0;                                ///< after the last tab, vertically
  int hover_ = -1;                                   ///< hovered tab
  int selected_ = -1;                                ///< selected tab
  int previous_ = -1;                                ///< previously selected tab
  int tooltipIndex_ = -1;                            ///< tab whose tooltip shows
  bool animate_ = false;                             ///< animated change on
  int animationSteps_ = 10;                          ///< steps of one change
  int animationOffset_ = 0;                          ///< pixels moved so far
  Rect updateRect_;                                  ///< repainted while animating
};

}  // namespace ZephUI

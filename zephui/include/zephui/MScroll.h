// Scroll bars: a range, a position and a row step; dragging the thumb tells
// the parent the new position, which scrolls its content.
#pragma once

#include <atomic>
#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// Which way a scroll bar runs.
enum class ScrollOrientation { Vertical, Horizontal };

/// A scroll bar control (the vertical and horizontal bars of every panel).
class ZEPHUI_API MScroll : public MControlFont {
 public:
  /// A bar of the given orientation; range 1000, position 0, row step 10.
  MScroll(MObject* parent, std::uint32_t id, const Rect& rect, ScrollOrientation orientation, bool visible,
          bool enabled);
  /// The orientation.
  ScrollOrientation GetOrientation() const;
  /// Sets the range (content size in pixels); the position is clamped to it.
  void SetScrollRange(int range);
  /// The range.
  int GetScrollRange() const;
  /// Sets the position, clamped to 0 … range; true when it changed (repaints then).
  bool SetScrollPos(int position);
  /// The position.
  int GetScrollPos() const;
  /// Sets the row step used by wheel scrolling.
  void SetScrollStep(int step);
  /// The row step.
  int GetScrollStep() const;
  /// Whether SetControlRect of the panel should reset the position (kept for panels).
  bool ResetPosOnResize() const;

  /// Track and thumb: the skin image when set (2 frames: track, thumb), else plain fills.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Starts a thumb drag or jumps to the point.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Moves the thumb while dragging; sends NOTIFY_SCROLL (position, 0) on change.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Ends a drag.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;

  /// The thumb rectangle in window pixels.
  Rect ThumbRect() const;

 private:
  /// The position a point along the bar stands for, with the thumb held at dragOffset_.
  int PositionFromPoint(Point point) const;
  /// Moves to `position` and tells the parent when it changed.
  void MoveTo(int position);
  /// The thumb's length along the bar.
  int ThumbLength() const;

  ScrollOrientation orientation_;
  std::atomic<int> range_{1000};     ///< read by repaint requests from the timer thread
  std::atomic<int> position_{0};     ///< read by repaint requests from the timer thread
  int step_ = 10;
  bool dragging_ = false;
  int dragOffset_ = 0;
};

}  // namespace ZephUI

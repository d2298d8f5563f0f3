// A colour wheel: its skin picture stretched over the control and a small
// round thumb. A press (and a drag from the thumb) within 65 pixels of the
// centre puts the thumb there and picks the colour shown under the pointer,
// reported as NOTIFY_COLOR (0, colour).
#pragma once

#include <cstdint>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's colour wheel ("CirclePalette" in the factory).
class ZEPHUI_API CirclePalette : public MControlFont {
 public:
  /// A wheel with its thumb at (100, 30) inside the control and red chosen.
  CirclePalette(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CirclePalette() override;

  // ---- overrides ----
  /// Copies the cached wheel, then draws the thumb over it.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Inside the thumb: starts a drag. Anywhere: moves the thumb to the point.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Follows the pointer while dragging, ignoring moves of up to 5 pixels across and 5 down.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Ends a drag.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Moves the thumb to the point.
  int OnControlRButtonDown(std::uint32_t flags, Point point) override;

  // ---- palette operations ----
  /// The chosen colour (GDI form).
  GdiColor GetSelectColor() const;
  /// The thumb's rectangle in window pixels.
  Rect GetThumbRect() const;

 private:
  /// Centres the thumb on `point` and picks the colour there; false beyond 65 pixels from the centre.
  bool MoveThumb(Point point);
  /// The colour shown at `point`: the cached wheel over the host picture, else the wheel picture itself.
  GdiColor ColourAt(Point point) const;
  /// The wheel picture stretched over `slot`.
  void Render(RenderContext& target, const Rect& slot) const;
  /// The two outlined circles of the thumb.
  void DrawThumb(RenderContext& hdc) const;

  Point thumb_{100, 30};              ///< thumb's corner relative to the control
  GdiColor colour_{0x0000FF};         ///< chosen colour, red
  bool dragging_ = false;             ///< the thumb follows the pointer
  Point last_{};                      ///< where the thumb last moved to while dragging
};

}  // namespace ZephUI

// A horizontal slider: a two-row track (filled part above, empty track
// below) and a four-frame thumb; dragging, clicking, the wheel and the arrow
// keys change its value. Reports NOTIFY_SCROLL (value, 0) while the value
// follows the mouse and NOTIFY_CLICKED (0, 0) when a drag ends or a wheel or
// key step changed it.
#pragma once

#include <cstdint>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's slider ("MSlider" in the factory).
class ZEPHUI_API MSlider : public MControlFont {
 public:
  /// A slider over 0 … 100 at 0, without track or thumb image.
  MSlider(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~MSlider() override;

  // ---- overrides ----
  /// Copies the cached rendering, making it first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Follows the pointer while dragging; tracks the hover over the thumb otherwise.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Starts a drag on the thumb, or moves the thumb to the point first.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Ends the press and sends NOTIFY_CLICKED (0, 0).
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Over the slider, direction 1 lowers the value by one, any other raises it; NOTIFY_CLICKED on a change.
  int OnControlScroll(int bar, int direction, Point point) override;
  /// While focused: Left/Down and Right/Up step by one, Home and End jump to the ends; NOTIFY_CLICKED on a change.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Stores the flag and drops the cache (the thumb shows its disabled frame).
  void SetControlEnabled(bool enabled) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- slider operations ----
  /// Loads the four-frame thumb picture through the image cache; 0 on failure.
  int SetThumbImage(std::u16string_view path);
  /// Sets the value, clamped to min … max; negative values are ignored. Returns the value.
  int SetProgress(int value);
  /// The value.
  int GetProgress() const;
  /// Sets the lowest value; the value is clamped into the new range.
  void SetMinProgress(int minimum);
  /// The lowest value.
  int GetMinProgress() const;
  /// Sets the highest value; the value is clamped into the new range.
  void SetMaxProgress(int maximum);
  /// The highest value.
  int GetMaxProgress() const;
  /// Shows "title value" centred in the bottom 20 pixels when on.
  void SetShowText(bool on);
  /// Draws `marks` evenly spaced tick marks under the track (0: none).
  void SetScale(int marks);
  /// The thumb rectangle in window pixels; empty when no thumb is drawn.
  Rect GetThumbRect() const;

 private:
  /// Track, thumb, ticks and text into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// The two track rows; the filled one ends 10 pixels right of the thumb's left edge.
  void DrawTrack(RenderContext& target, const Rect& slot, int thumbX) const;
  /// The thumb frame for the current state at `thumbX` in the slot.
  void DrawThumb(RenderContext& target, const Rect& slot, int thumbX) const;
  /// Tick marks below the track.
  void DrawScale(RenderContext& target, const Rect& slot) const;
  /// The thumb's offset from the control's left edge.
  int ThumbOffset() const;
  /// The value the pointer at `x` stands for, clamped to min … max.
  int ValueAt(int x) const;
  /// True when a thumb picture exists and the range is not empty.
  bool HasThumb() const;
  /// Sets the value (no clamping) and repaints; false when unchanged.
  bool Change(int value);
  /// A step from the wheel or the keyboard: clamped, and NOTIFY_CLICKED when it changed.
  int Step(int value);
  /// Sets a state flag and repaints when it changed.
  void SetFlag(bool& flag, bool on);

  int value_ = 0;                      ///< min … max
  int min_ = 0;                        ///< lowest value
  int max_ = 100;                      ///< highest value
  const ImgResInfo* thumb_ = nullptr;  ///< owned by the manager's cache
  bool showText_ = false;              ///< value text at the bottom
  int scale_ = 0;                      ///< tick marks, 0 none
  bool hover_ = false;                 ///< pointer over the thumb
  bool dragging_ = false;              ///< the thumb follows the pointer
  bool pressed_ = false;               ///< the left button went down on the slider
};

}  // namespace ZephUI

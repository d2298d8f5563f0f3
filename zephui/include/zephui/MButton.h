// A skin button with a centred title: four visual states (normal, hover,
// pressed, disabled), each one frame of its skin strip, rendered once into
// the control's cache; reports NOTIFY_PRESSED on a press and NOTIFY_CLICKED
// on a release inside after a press.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// Visual state numbers of four-state buttons; also the slot index in the cache.
enum ButtonState : int {
  BUTTON_STATE_NORMAL = 0,    ///< enabled, pointer outside
  BUTTON_STATE_HOVER = 1,     ///< pointer inside
  BUTTON_STATE_PRESSED = 2,   ///< left button went down inside
  BUTTON_STATE_DISABLED = 3,  ///< disabled
};

/// The library's skin button ("MButton" in the factory).
class ZEPHUI_API MButton : public MControlFont {
 public:
  /// A mouse-responsive button; state 3 when built disabled, else 0.
  MButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  /// Drops the icon.
  ~MButton() override;

  // ---- overrides ----
  /// Copies the cached slot of the current state, rendering all four first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Hover (1) inside, normal (0) outside, while enabled and not pressed.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Inside an enabled button: pressed (2) and NOTIFY_PRESSED (0, 0).
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Inside: hover (1), and NOTIFY_CLICKED (0, 0) after a press; outside: normal (0).
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Disabled (3) or normal (0).
  void SetControlEnabled(bool enabled) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- button operations ----
  /// Loads an icon strip of `frameCount` frames straight from the skin folder (no image cache); 0 on failure.
  int SetIconImage(std::u16string_view fileName, int frameCount);
  /// Corner size of the nine-slice skin copy (default 4); drops the cache.
  void SetFrameSize(int corner);
  /// The corner size of the nine-slice skin copy.
  int GetFrameSize() const;
  /// Rectangle relative to the control in which the title is centred (empty: the whole control); drops the cache.
  void SetTextRect(const Rect& rect);
  /// The title rectangle relative to the control; empty for the whole control.
  Rect GetTextRect() const;
  /// The current state number (ButtonState).
  int GetState() const;

 protected:
  /// Sets the state; a change repaints without dropping the cache.
  void SetState(int state);
  /// Draws one state into `slot`: skin frame, icon, title.
  virtual void RenderState(RenderContext& target, const Rect& slot, int state);
  /// Nine-slice copy of skin frame `state` over `slot`; nothing without a skin.
  void DrawSkin(RenderContext& target, const Rect& slot, int state) const;
  /// First icon frame, centred (2 right, 4 up); nothing without an icon.
  void DrawIcon(RenderContext& target, const Rect& slot) const;
  /// The title centred in the text rectangle, grey when disabled, moved by (1, 1) when pressed.
  void DrawTitle(RenderContext& target, const Rect& slot, int state);

  int state_;                          ///< ButtonState
  int frameSize_ = 4;                  ///< nine-slice corner
  Rect textRect_;                      ///< relative to the control; empty = whole control
  std::unique_ptr<Image> icon_;        ///< icon strip, owned
  int iconFrames_ = 1;                 ///< frames of the icon strip
};

}  // namespace ZephUI

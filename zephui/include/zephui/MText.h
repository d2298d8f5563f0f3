// Static text: the title in the text colour, aligned by the control's
// alignments, with an optional marked substring in its own colour, a shadow,
// a back fill, an image at the left, and wrapping with optional vertical
// centring. Rendered once into the control's cache; sends no notifications.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's static text ("MText" in the factory).
class ZEPHUI_API MText : public MControlFont {
 public:
  /// An enabled text that takes no mouse input.
  MText(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible);
  ~MText() override;

  // ---- overrides ----
  /// Copies the cached rendering, making it first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- text operations ----
  /// Marks the first occurrence of `mark` at or after the start index; empty marks nothing.
  void SetMarkText(std::u16string mark);
  /// Marks `mark` in `colour`, searched from character `start` of the title.
  void SetMarkText(std::u16string mark, ArgbColor colour, int start);
  /// Sets the title, then marks `mark` in `colour` from character `start`.
  void SetMarkText(std::u16string title, std::u16string mark, ArgbColor colour, int start);
  /// Sets the title, then marks `mark` from character `start` in the current mark colour.
  void SetTitleMarkText(std::u16string title, std::u16string mark, int start);
  /// The marked text; empty when none.
  std::u16string GetMarkText() const;
  /// Fills the control with `colour` (default FF008000) under the text when on.
  void EnableTextBack(bool on, ArgbColor colour);
  /// Draws each piece of text first in the shadow colour one pixel right and down when on.
  void EnableShadow(bool on);
  /// Sets the shadow colour (default FF505050).
  void SetShadowColor(ArgbColor colour);
  /// Wraps the title at word boundaries when on (drawn from the top unless vertical centring is on).
  void EnableMultiLine(bool on);
  /// Centres wrapped text vertically when on.
  void EnableVCenter(bool on);

 private:
  /// Background fill, image and text into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// Draws frame 0 of the image at the left, centred vertically; returns the rectangle left for the text.
  Rect DrawLeftImage(RenderContext& target, const Rect& slot) const;
  /// Draws wrapped text, centred vertically when asked.
  void DrawWrapped(RenderContext& target, const Rect& area);
  /// Draws the title in three pieces around the mark; false when the mark does not occur.
  bool DrawMarked(RenderContext& target, const Rect& area);
  /// Draws one piece (shadow first when on).
  void DrawPiece(RenderContext& target, const Rect& area, std::u16string_view text, ArgbColor colour,
                 TextFormat format);
  /// Stores a setting and drops the cache.
  template <typename T>
  void Change(T& member, T value);

  std::u16string mark_;                 ///< marked text; empty = none
  ArgbColor markColour_{0xFFED801B};    ///< colour of the mark
  int markStart_ = 0;                   ///< first title index searched
  bool textBack_ = false;               ///< fill under the text
  ArgbColor backColour_{0xFF008000};    ///< fill colour
  bool shadow_ = false;                 ///< shadowed text
  ArgbColor shadowColour_{0xFF505050};  ///< shadow colour
  bool multiLine_ = false;              ///< wrap
  bool vCenter_ = false;                ///< centre wrapped text vertically
};

}  // namespace ZephUI

// The keyboard picture's composed image: the base (what lies under the
// control plus the keyboard picture) with every key's mark drawn over it.
// A key whose mark changed is redrawn alone: its rectangle is restored from
// the base and the marks of the keys meeting it are drawn again, clipped to
// it. Used on the window's thread only.
#pragma once

#include <string>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Font.h"
#include "zephui/Image.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// What is drawn for a key.
enum class KeyMark {
  None,     ///< nothing: the picture shows through
  Cap,      ///< a filled cap with the key's name and icon
  Outline,  ///< a rounded outline in the look's colour
};

/// How one key looks; two equal looks draw the same pixels.
struct KeyLook {
  KeyMark mark = KeyMark::None;  ///< kind of mark
  ArgbColor colour;              ///< outline colour (alpha included)
  /// Equal when mark and colour are.
  bool operator==(const KeyLook&) const = default;
};

/// What drawing needs of one key, copied from the key items under their lock.
struct KeyView {
  Rect rect;                    ///< relative to the control
  KeyLook look;                 ///< its mark
  std::u16string name;          ///< drawn on a cap
  const Image* icon = nullptr;  ///< drawn on a cap; owned by the key item
  Size iconSize;                ///< the icon's natural size
};

/// Keeps the marks the composed image shows and brings it up to date.
class KeyCanvas {
 public:
  /// Copies `base` into `composed` and draws every key.
  void Rebuild(Image& composed, const Image& base, const std::vector<KeyView>& keys, const Font& font);
  /// Redraws the keys whose look changed since the last call (all of them when the keys changed); their union.
  Rect Update(Image& composed, const Image& base, const std::vector<KeyView>& keys, const Font& font);
  /// Draws one key's mark.
  static void DrawKey(RenderContext& target, const KeyView& key, const Font& font);
  /// Draws a rubber band: a 2-pixel dotted outline inside `rect`.
  static void DrawBand(RenderContext& target, const Rect& rect);

 private:
  /// Restores `area` from the base and draws every key meeting it, clipped to it.
  static void Repair(RenderContext& target, const Image& base, const Rect& area, const std::vector<KeyView>& keys,
                     const Font& font);
  /// Records what the composed image shows now.
  void Remember(const std::vector<KeyView>& keys);

  std::vector<Rect> rects_;   ///< key rectangles shown
  std::vector<KeyLook> looks_;///< key looks shown
};

}  // namespace ZephUI

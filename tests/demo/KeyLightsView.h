// The simulated keyboard's keys, drawn at the layout's positions scaled into
// the control, each in the colour its light shows (dark when unlit), with the
// music level as a bar along the bottom.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/demo/SimulatedKeyboardState.h"
#include "zephui/MControl.h"
#include "zephui/RenderTypes.h"

/// One key of the picture.
struct KeyLamp {
  int code = 0;          ///< the key's layout code
  ZephUI::Rect rect;     ///< position on the layout's keyboard picture
  int lightIndex = -1;   ///< the key's light; -1 when it has none
  std::u16string name;   ///< short label
};

/// The keys of a layout's keyboard picture.
struct KeyPicture {
  std::vector<KeyLamp> keys;  ///< every key
  ZephUI::Size size;          ///< the picture's size
};

class KeyLightsView : public ZephUI::MControl {
 public:
  /// Height of the music level bar under the keys.
  static constexpr int kLevelBarHeight = 10;

  /// A view of the picture's keys, scaled to fit `rect`.
  KeyLightsView(ZephUI::MObject* parent, std::uint32_t id, const ZephUI::Rect& rect, KeyPicture picture);

  /// Draws the keys and the level bar.
  void DrawControl(ZephUI::RenderContext& hdc, const ZephUI::Rect& paintRect) override;

  /// New light colours (by light index) and music level (0-255, none hides the bar); repaints.
  void Show(std::vector<LightColour> lights, std::optional<int> musicLevel);
  /// Where a key is drawn, in window client pixels; empty for a key not in the view.
  ZephUI::Rect KeyRect(const std::u16string& name) const;

 private:
  ZephUI::Rect Scaled(const ZephUI::Rect& onPicture) const;
  ZephUI::Rect LevelBar() const;
  void DrawKey(ZephUI::RenderContext& hdc, const KeyLamp& key) const;
  void DrawLevel(ZephUI::RenderContext& hdc) const;

  KeyPicture picture_;
  std::vector<LightColour> lights_;
  std::optional<int> level_;
};

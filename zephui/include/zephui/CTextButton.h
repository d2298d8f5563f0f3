// A text-only button: no skin, the title drawn in a colour of its own for
// each of the four states; press and click reports as MButton's.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// The library's text button ("CTextButton" in the factory).
class ZEPHUI_API CTextButton : public MButton {
 public:
  /// A button whose title is CCCCCC at rest, FEDB00 hovered, A0A0A0 pressed, 808080 disabled.
  CTextButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  ~CTextButton() override;

  /// Sets the title colours of the four states; drops the cache.
  void SetTextButtonColor(ArgbColor normal, ArgbColor hover, ArgbColor pressed, ArgbColor disabled);

 protected:
  /// The title alone, centred, in the colour of `state`.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  ArgbColor colours_[4] = {ArgbColor(0xFECCCCCC), ArgbColor(0xFEFEDB00), ArgbColor(0xFEA0A0A0),
                           ArgbColor(0xFE808080)};  ///< by ButtonState
};

}  // namespace ZephUI

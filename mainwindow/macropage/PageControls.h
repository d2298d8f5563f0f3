// Making the page's controls on its panel with the look they share: white
// text, the program's button, edit and radio pictures.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Rect.h"

namespace ZephUI {
class MPanel;
class MButton;
class MEdit;
class MText;
class CRadioButton;
}  // namespace ZephUI

class PageControls {
 public:
  /// A label showing text `number`.
  static ZephUI::MText* Label(ZephUI::MPanel& page, std::uint32_t id, const ZephUI::Rect& rect, int number);
  /// A text button showing text `number`.
  static ZephUI::MButton* Button(ZephUI::MPanel& page, std::uint32_t id, const ZephUI::Rect& rect, int number);
  /// An edit field of at most `limit` characters, digits only when `digits`.
  static ZephUI::MEdit* Field(ZephUI::MPanel& page, std::uint32_t id, const ZephUI::Rect& rect, int limit, bool digits);
  /// A radio button of `group` showing text `number`.
  static ZephUI::CRadioButton* Radio(ZephUI::MPanel& page, std::uint32_t id, const ZephUI::Rect& rect, int number,
                                     const char16_t* group);
  /// Language text number `number` of the dialog section.
  static std::u16string Text(int number);
  /// The digits a field starts with as a number; `empty` when it starts with none.
  static int LeadingNumber(const std::u16string& text, int empty);
};

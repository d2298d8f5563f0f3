// One key of a keyboard picture. The application reads these records in
// place (KeyboardCtrl::GetKeyItems), so the order and widths of the fields are
// part of the library's interface; the checks below keep them from drifting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "zephui/Color.h"
#include "zephui/Image.h"
#include "zephui/Rect.h"

namespace ZephUI {

/// One key item of a KeyboardCtrl, owned by the control.
struct KEY_INFO {
  std::int32_t index = 0;              ///< position in the control's list (0 for the first added)
  std::uint32_t keyValue = 0;          ///< the application's identifier of the key
  std::u16string name;                 ///< drawn on the key in mode 100
  std::u16string text;                 ///< heading of the key's tip
  std::u16string tipTitle;             ///< set by SetTipKey, empty at first
  std::u16string tipText;              ///< set by SetTipKey, empty at first
  Rect rect;                           ///< relative to the keyboard picture's top-left corner
  std::int32_t check = 0;              ///< non-zero when the key is checked
  GdiColor colour = GdiColor::FromRgb(255, 225, 0);  ///< the key's colour
  std::unique_ptr<Image> icon;         ///< optional icon from the skin folder
  std::int32_t iconWidth = 0;          ///< the icon's natural width
  std::int32_t iconHeight = 0;         ///< the icon's natural height
};

static_assert(std::is_standard_layout_v<KEY_INFO>, "KEY_INFO is read in place");
static_assert(sizeof(GdiColor) == 4 && sizeof(Rect) == 16, "colour and rectangle widths");
static_assert(offsetof(KEY_INFO, index) == 0 && offsetof(KEY_INFO, keyValue) == 4, "leading integers");
static_assert(offsetof(KEY_INFO, name) == 8 && offsetof(KEY_INFO, text) == 8 + sizeof(std::u16string) &&
                  offsetof(KEY_INFO, tipTitle) == 8 + 2 * sizeof(std::u16string) &&
                  offsetof(KEY_INFO, tipText) == 8 + 3 * sizeof(std::u16string),
              "the four strings follow the key value");
static_assert(offsetof(KEY_INFO, rect) == 8 + 4 * sizeof(std::u16string), "rectangle after the strings");
static_assert(offsetof(KEY_INFO, check) == offsetof(KEY_INFO, rect) + 16 &&
                  offsetof(KEY_INFO, colour) == offsetof(KEY_INFO, check) + 4,
              "check and colour follow the rectangle");
static_assert(offsetof(KEY_INFO, icon) >= offsetof(KEY_INFO, colour) + 4 &&
                  offsetof(KEY_INFO, iconWidth) == offsetof(KEY_INFO, icon) + sizeof(std::unique_ptr<Image>) &&
                  offsetof(KEY_INFO, iconHeight) == offsetof(KEY_INFO, iconWidth) + 4,
              "icon and its size last");

}  // namespace ZephUI

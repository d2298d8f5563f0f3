// One tab of a tab strip. The application reads and adjusts these records in
// place (GetItemInfo), so the order and types of the fields are part of the
// library's interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "zephui/Image.h"
#include "zephui/Rect.h"

namespace ZephUI {

class MControl;

/// Strip orientation: tabs side by side, or one below the other.
enum TAB_TYPE : std::int32_t {
  TAB_TYPE_HORIZONTAL = 0,  ///< tabs side by side
  TAB_TYPE_VERTICAL = 1,    ///< tabs one below the other
};

/// One tab of an MTabCtrl, owned by the strip.
struct TabItemInfo {
  std::int32_t visible = 1;             ///< 1 shown, 0 hidden (empty rectangle, no room taken)
  std::unique_ptr<Image> icon;          ///< icon strip, owned by the record
  std::int32_t iconFrameWidth = 0;      ///< icon width / frame count
  std::int32_t iconHeight = 0;          ///< icon height
  std::int32_t frameCount = 3;          ///< frames of the icon strip
  Rect rect;                            ///< window client pixels, set by the layout; may be overwritten after it
  std::u16string title;                 ///< shown below the icon
  std::int32_t id = 0;                  ///< the application's tab id
  Rect buttonRect;                      ///< reserved, zero
  std::uint32_t buttonState = 0;        ///< reserved, zero
  std::uint32_t tooltip = 0;            ///< non-zero: SetTabTooltip always applies to this tab
  MControl* page = nullptr;             ///< the page shown while the tab is selected; not owned
};

}  // namespace ZephUI

// One entry of a combo box and of its popup list.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Color.h"

namespace ZephUI {

/// A combo entry: what is shown, a second text and a colour kept for the caller, and the caller's data.
struct ComboItem {
  std::u16string text;        ///< shown text
  std::u16string secondText;  ///< kept, not drawn
  ArgbColor colour{};         ///< kept, not drawn
  std::int32_t data = 0;      ///< the caller's value
};

}  // namespace ZephUI

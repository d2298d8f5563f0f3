// One step of a recorded macro as the record list keeps it. The program
// reads these records in place (CRecordList::GetRecordItems), so the field
// order and widths are fixed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "zephui/Rect.h"

namespace ZephUI {

/// A macro step's type: key pressed.
inline constexpr std::int32_t RECORD_KEY_DOWN = 2;
/// A macro step's type: key released.
inline constexpr std::int32_t RECORD_KEY_UP = 3;

/// One macro step of a record list.
struct RecordItem {
  std::u16string keyName;    ///< shown key name
  std::int32_t type = 0;     ///< RECORD_KEY_DOWN, RECORD_KEY_UP or another value
  std::int32_t keyCode = 0;  ///< the program's key code, not read by the list
  std::int32_t delay = 0;    ///< milliseconds before the next step
  Rect rect;                 ///< row rectangle
};

static_assert(std::is_standard_layout_v<RecordItem>, "RecordItem is read in place");
static_assert(offsetof(RecordItem, keyName) == 0);
static_assert(offsetof(RecordItem, type) == sizeof(std::u16string));
static_assert(offsetof(RecordItem, keyCode) == offsetof(RecordItem, type) + 4);
static_assert(offsetof(RecordItem, delay) == offsetof(RecordItem, keyCode) + 4);
static_assert(offsetof(RecordItem, rect) == offsetof(RecordItem, delay) + 4);
static_assert(sizeof(Rect) == 16 && alignof(Rect) == 4);

}  // namespace ZephUI

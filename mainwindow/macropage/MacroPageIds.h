// Control ids, window messages and menu items of the macro page.
#pragma once

#include <cstdint>

#include "zephui/WindowTypes.h"

/// Control ids of the page, as the window's OnMessage receives them.
namespace MacroPageId {
inline constexpr std::uint32_t kPage = 53;
inline constexpr std::uint32_t kShade = 196;
inline constexpr std::uint32_t kListTitle = 197;
inline constexpr std::uint32_t kList = 198;
inline constexpr std::uint32_t kInsertWhere = 200;
inline constexpr std::uint32_t kKeyEvent = 201;
inline constexpr std::uint32_t kMouseEvent = 202;
inline constexpr std::uint32_t kDelayEvent = 203;
inline constexpr std::uint32_t kKeyField = 204;
inline constexpr std::uint32_t kDelayField = 205;
inline constexpr std::uint32_t kMouseList = 206;
inline constexpr std::uint32_t kInsert = 207;
inline constexpr std::uint32_t kNew = 208;
inline constexpr std::uint32_t kDelete = 209;
inline constexpr std::uint32_t kCopy = 210;
inline constexpr std::uint32_t kImport = 211;
inline constexpr std::uint32_t kExport = 212;
inline constexpr std::uint32_t kRename = 213;
inline constexpr std::uint32_t kRepeat = 214;
inline constexpr std::uint32_t kRepeatLabel = 215;
inline constexpr std::uint32_t kRecordedDelays = 216;
inline constexpr std::uint32_t kNoDelays = 217;
inline constexpr std::uint32_t kFixedDelay = 218;
inline constexpr std::uint32_t kLoopCount = 219;
inline constexpr std::uint32_t kLoopHeld = 220;
inline constexpr std::uint32_t kLoopToggle = 221;
inline constexpr std::uint32_t kFixedDelayField = 222;
inline constexpr std::uint32_t kFixedDelayUnit = 223;
inline constexpr std::uint32_t kStartRecording = 224;
inline constexpr std::uint32_t kStopRecording = 225;
inline constexpr std::uint32_t kRecordShade = 226;
inline constexpr std::uint32_t kRecordTitle = 227;
inline constexpr std::uint32_t kRecordDelay = 228;
inline constexpr std::uint32_t kRecordUp = 229;
inline constexpr std::uint32_t kRecordDown = 230;
inline constexpr std::uint32_t kRecordDelete = 231;
inline constexpr std::uint32_t kHeaderShade = 232;
inline constexpr std::uint32_t kHeaderKey = 233;
inline constexpr std::uint32_t kHeaderAction = 234;
inline constexpr std::uint32_t kHeaderDelay = 235;
inline constexpr std::uint32_t kRecords = 236;
inline constexpr std::uint32_t kSave = 237;

/// Whether a control id belongs to the page.
constexpr bool IsPageControl(std::uint32_t id) { return id >= kShade && id <= kSave; }
}  // namespace MacroPageId

/// Window messages the page handles.
namespace MacroPageMessage {
inline constexpr ZephUI::UINT kHookKey = 1654;         ///< a grabbed key while recording
inline constexpr ZephUI::UINT kMenu = 1827;            ///< the macro list's menu (lParam the item)
inline constexpr ZephUI::UINT kRecordsWaiting = 2144;  ///< recorded events wait to be shown
}  // namespace MacroPageMessage

/// Items of the macro menu message.
namespace MacroMenuItem {
inline constexpr int kNew = 600;
inline constexpr int kDelete = 605;
inline constexpr int kCopy = 606;
inline constexpr int kImport = 607;
inline constexpr int kExport = 608;
inline constexpr int kRename = 609;
inline constexpr int kPasteCopy = 610;
}  // namespace MacroMenuItem

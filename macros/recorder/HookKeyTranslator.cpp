#include "macros/recorder/HookKeyTranslator.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>

#include "device/LinuxKeyTables.h"

namespace {

struct ScanRow {
  int evdev;
  int scan;
  bool extended;
};

// Keys whose scan code differs from their evdev code (the evdev codes 1-88
// are the set-1 make codes, except Num Lock which the PC flags extended).
constexpr auto kScanRows = std::to_array<ScanRow>({
    {KEY_NUMLOCK, 0x45, true},   {KEY_KPENTER, 0x1C, true},   {KEY_RIGHTCTRL, 0x1D, true},
    {KEY_KPSLASH, 0x35, true},   {KEY_SYSRQ, 0x37, true},     {KEY_RIGHTALT, 0x38, true},
    {KEY_HOME, 0x47, true},      {KEY_UP, 0x48, true},        {KEY_PAGEUP, 0x49, true},
    {KEY_LEFT, 0x4B, true},      {KEY_RIGHT, 0x4D, true},     {KEY_END, 0x4F, true},
    {KEY_DOWN, 0x50, true},      {KEY_PAGEDOWN, 0x51, true},  {KEY_INSERT, 0x52, true},
    {KEY_DELETE, 0x53, true},    {KEY_LEFTMETA, 0x5B, true},  {KEY_RIGHTMETA, 0x5C, true},
    {KEY_COMPOSE, 0x5D, true},   {KEY_PAUSE, 0x45, false},    {KEY_KPEQUAL, 0x59, false},
    {KEY_RO, 0x73, false},       {KEY_KATAKANAHIRAGANA, 0x70, false}, {KEY_HENKAN, 0x79, false},
    {KEY_MUHENKAN, 0x7B, false}, {KEY_YEN, 0x7D, false},      {KEY_KPCOMMA, 0x7E, false},
    {KEY_F13, 0x64, false},      {KEY_F14, 0x65, false},      {KEY_F15, 0x66, false},
    {KEY_F16, 0x67, false},      {KEY_F17, 0x68, false},      {KEY_F18, 0x69, false},
    {KEY_F19, 0x6A, false},      {KEY_F20, 0x6B, false},      {KEY_F21, 0x6C, false},
    {KEY_F22, 0x6D, false},      {KEY_F23, 0x6E, false},      {KEY_F24, 0x76, false},
    {KEY_MUTE, 0x20, true},      {KEY_VOLUMEDOWN, 0x2E, true}, {KEY_VOLUMEUP, 0x30, true},
    {KEY_NEXTSONG, 0x19, true},  {KEY_PREVIOUSSONG, 0x10, true}, {KEY_STOPCD, 0x24, true},
    {KEY_PLAYPAUSE, 0x22, true}, {KEY_MAIL, 0x6C, true},      {KEY_CALC, 0x21, true},
    {KEY_FILE, 0x6B, true},      {KEY_SEARCH, 0x65, true},    {KEY_HOMEPAGE, 0x32, true},
    {KEY_BACK, 0x6A, true},      {KEY_FORWARD, 0x69, true},   {KEY_STOP, 0x68, true},
    {KEY_REFRESH, 0x67, true},   {KEY_BOOKMARKS, 0x66, true}, {KEY_CONFIG, 0x6D, true},
});

bool isAlt(int code) {
  return code == KEY_LEFTALT || code == KEY_RIGHTALT;
}

bool isCtrl(int code) {
  return code == KEY_LEFTCTRL || code == KEY_RIGHTCTRL;
}

}  // namespace

PcScanCode HookKeyTranslator::scanCodeOf(int evdevCode) {
  const auto row = std::ranges::find(kScanRows, evdevCode, &ScanRow::evdev);
  if (row != kScanRows.end()) return {row->scan, row->extended};
  // 84 is unused, 85 is Zenkaku/Hankaku, which has no plain set-1 code.
  if (evdevCode >= KEY_ESC && evdevCode <= KEY_F12 && evdevCode != 84 && evdevCode != KEY_ZENKAKUHANKAKU) {
    return {evdevCode, false};
  }
  return {};
}

std::pair<KeyMessage, HookKeyRecord> HookKeyTranslator::translate(int evdevCode, std::int32_t value,
                                                                  std::uint64_t time) {
  const bool up = value == 0;
  // Alt counts while it is down, including the Alt key's own press and release.
  if (!up) held_.insert(evdevCode);
  const bool system = systemKeyState(evdevCode);
  if (up) held_.erase(evdevCode);

  const PcScanCode scan = scanCodeOf(evdevCode);
  HookKeyRecord record;
  record.virtualKey = LinuxKeyTables::evdevToVirtualKey(evdevCode);
  record.scanCode = scan.code;
  record.flags = (scan.extended ? HookKeyRecord::kExtended : 0u) | (up ? HookKeyRecord::kUp : 0u);
  record.time = time;
  const KeyMessage message = system ? (up ? KeyMessage::SysKeyUp : KeyMessage::SysKeyDown)
                                    : (up ? KeyMessage::KeyUp : KeyMessage::KeyDown);
  return {message, record};
}

bool HookKeyTranslator::systemKeyState(int evdevCode) const {
  if (evdevCode == KEY_F10) return true;
  const bool alt = std::ranges::any_of(held_, isAlt);
  const bool ctrl = std::ranges::any_of(held_, isCtrl);
  return alt && !ctrl;
}

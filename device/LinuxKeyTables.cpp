#include "device/LinuxKeyTables.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>

namespace {

using KeyRow = LinuxKeyTables::KeyRow;
using MediaRow = LinuxKeyTables::MediaRow;

// In HID usage order.
constexpr std::array kKeys = std::to_array<KeyRow>({
    {KEY_A, 4, 65}, {KEY_B, 5, 66}, {KEY_C, 6, 67}, {KEY_D, 7, 68}, {KEY_E, 8, 69},
    {KEY_F, 9, 70}, {KEY_G, 10, 71}, {KEY_H, 11, 72}, {KEY_I, 12, 73}, {KEY_J, 13, 74},
    {KEY_K, 14, 75}, {KEY_L, 15, 76}, {KEY_M, 16, 77}, {KEY_N, 17, 78}, {KEY_O, 18, 79},
    {KEY_P, 19, 80}, {KEY_Q, 20, 81}, {KEY_R, 21, 82}, {KEY_S, 22, 83}, {KEY_T, 23, 84},
    {KEY_U, 24, 85}, {KEY_V, 25, 86}, {KEY_W, 26, 87}, {KEY_X, 27, 88}, {KEY_Y, 28, 89},
    {KEY_Z, 29, 90},
    {KEY_1, 30, 49}, {KEY_2, 31, 50}, {KEY_3, 32, 51}, {KEY_4, 33, 52}, {KEY_5, 34, 53},
    {KEY_6, 35, 54}, {KEY_7, 36, 55}, {KEY_8, 37, 56}, {KEY_9, 38, 57}, {KEY_0, 39, 48},
    {KEY_ENTER, 40, 13}, {KEY_ESC, 41, 27}, {KEY_BACKSPACE, 42, 8}, {KEY_TAB, 43, 9},
    {KEY_SPACE, 44, 32}, {KEY_MINUS, 45, 189}, {KEY_EQUAL, 46, 187}, {KEY_LEFTBRACE, 47, 219},
    {KEY_RIGHTBRACE, 48, 221}, {KEY_BACKSLASH, 49, 220}, {KEY_SEMICOLON, 51, 186},
    {KEY_APOSTROPHE, 52, 222}, {KEY_GRAVE, 53, 192}, {KEY_COMMA, 54, 188}, {KEY_DOT, 55, 190},
    {KEY_SLASH, 56, 191}, {KEY_CAPSLOCK, 57, 20},
    {KEY_F1, 58, 112}, {KEY_F2, 59, 113}, {KEY_F3, 60, 114}, {KEY_F4, 61, 115},
    {KEY_F5, 62, 116}, {KEY_F6, 63, 117}, {KEY_F7, 64, 118}, {KEY_F8, 65, 119},
    {KEY_F9, 66, 120}, {KEY_F10, 67, 121}, {KEY_F11, 68, 122}, {KEY_F12, 69, 123},
    {KEY_SYSRQ, 70, 44}, {KEY_SCROLLLOCK, 71, 145}, {KEY_PAUSE, 72, 19},
    {KEY_INSERT, 73, 45}, {KEY_HOME, 74, 36}, {KEY_PAGEUP, 75, 33}, {KEY_DELETE, 76, 46},
    {KEY_END, 77, 35}, {KEY_PAGEDOWN, 78, 34},
    {KEY_RIGHT, 79, 39}, {KEY_LEFT, 80, 37}, {KEY_DOWN, 81, 40}, {KEY_UP, 82, 38},
    {KEY_NUMLOCK, 83, 144}, {KEY_KPSLASH, 84, 111}, {KEY_KPASTERISK, 85, 106},
    {KEY_KPMINUS, 86, 109}, {KEY_KPPLUS, 87, 107}, {KEY_KPENTER, 88, 108},
    {KEY_KP1, 89, 97}, {KEY_KP2, 90, 98}, {KEY_KP3, 91, 99}, {KEY_KP4, 92, 100},
    {KEY_KP5, 93, 101}, {KEY_KP6, 94, 102}, {KEY_KP7, 95, 103}, {KEY_KP8, 96, 104},
    {KEY_KP9, 97, 105}, {KEY_KP0, 98, 96}, {KEY_KPDOT, 99, 110},
    {KEY_102ND, 100, 226}, {KEY_COMPOSE, 101, 93}, {KEY_KPEQUAL, 103, 0},
    {KEY_F13, 104, 124}, {KEY_F14, 105, 125}, {KEY_F15, 106, 126}, {KEY_F16, 107, 127},
    {KEY_F17, 108, 128}, {KEY_F18, 109, 129}, {KEY_F19, 110, 130}, {KEY_F20, 111, 131},
    {KEY_F21, 112, 132}, {KEY_F22, 113, 133}, {KEY_F23, 114, 134}, {KEY_F24, 115, 135},
    {KEY_KPCOMMA, 133, 0}, {KEY_RO, 135, 0}, {KEY_KATAKANAHIRAGANA, 136, 136},
    {KEY_YEN, 137, 137}, {KEY_HENKAN, 138, 138}, {KEY_MUHENKAN, 139, 139},
    {KEY_KPJPCOMMA, 140, 0}, {KEY_HANGEUL, 144, 0}, {KEY_HANJA, 145, 0},
    {KEY_KATAKANA, 146, 0}, {KEY_HIRAGANA, 147, 0}, {KEY_ZENKAKUHANKAKU, 148, 0},
    {KEY_LEFTCTRL, 224, 162}, {KEY_LEFTSHIFT, 225, 160}, {KEY_LEFTALT, 226, 164},
    {KEY_LEFTMETA, 227, 91}, {KEY_RIGHTCTRL, 228, 163}, {KEY_RIGHTSHIFT, 229, 161},
    {KEY_RIGHTALT, 230, 165}, {KEY_RIGHTMETA, 231, 92},
});

// In output-code order (232-249). The evdev codes are the ones the kernel
// gives a real keyboard sending these usages, so a played key does what the
// keyboard's own key would.
constexpr std::array kMedia = std::to_array<MediaRow>({
    {KEY_CONFIG, 0x183, 181},   {KEY_VOLUMEDOWN, 0xEA, 174}, {KEY_VOLUMEUP, 0xE9, 175},
    {KEY_MUTE, 0xE2, 173},      {KEY_STOPCD, 0xB7, 178},     {KEY_PREVIOUSSONG, 0xB6, 177},
    {KEY_PLAYPAUSE, 0xCD, 179}, {KEY_NEXTSONG, 0xB5, 176},   {KEY_MAIL, 0x18A, 180},
    {KEY_HOMEPAGE, 0x223, 172}, {KEY_CALC, 0x192, 183},      {KEY_BACK, 0x224, 166},
    {KEY_FORWARD, 0x225, 167},  {KEY_STOP, 0x226, 169},      {KEY_REFRESH, 0x227, 168},
    {KEY_SEARCH, 0x221, 170},   {KEY_BOOKMARKS, 0x22A, 171}, {KEY_FILE, 0x194, 182},
});

}  // namespace

std::span<const LinuxKeyTables::KeyRow> LinuxKeyTables::keyRows() {
  return kKeys;
}

std::span<const LinuxKeyTables::MediaRow> LinuxKeyTables::mediaRows() {
  return kMedia;
}

const LinuxKeyTables::KeyRow* LinuxKeyTables::findKey(int KeyRow::*field, int value) {
  // 0 marks a missing counterpart, so it must never match one.
  if (value == 0) return nullptr;
  const auto row = std::ranges::find(kKeys, value, field);
  return row != kKeys.end() ? &*row : nullptr;
}

const LinuxKeyTables::MediaRow* LinuxKeyTables::findMedia(int MediaRow::*field, int value) {
  if (value == 0) return nullptr;
  const auto row = std::ranges::find(kMedia, value, field);
  return row != kMedia.end() ? &*row : nullptr;
}

int LinuxKeyTables::usageToEvdev(int usage) {
  const KeyRow* row = findKey(&KeyRow::usage, usage);
  return row ? row->evdev : 0;
}

int LinuxKeyTables::evdevToUsage(int evdev) {
  const KeyRow* row = findKey(&KeyRow::evdev, evdev);
  return row ? row->usage : 0;
}

int LinuxKeyTables::usageToVirtualKey(int usage) {
  const KeyRow* row = findKey(&KeyRow::usage, usage);
  return row ? row->virtualKey : 0;
}

int LinuxKeyTables::evdevToVirtualKey(int evdev) {
  if (const KeyRow* key = findKey(&KeyRow::evdev, evdev)) return key->virtualKey;
  const MediaRow* media = findMedia(&MediaRow::evdev, evdev);
  return media ? media->virtualKey : 0;
}

int LinuxKeyTables::virtualKeyToEvdev(int virtualKey) {
  if (const KeyRow* key = findKey(&KeyRow::virtualKey, virtualKey)) return key->evdev;
  const MediaRow* media = findMedia(&MediaRow::virtualKey, virtualKey);
  return media ? media->evdev : 0;
}

int LinuxKeyTables::consumerUsageToEvdev(int consumerUsage) {
  const MediaRow* row = findMedia(&MediaRow::consumerUsage, consumerUsage);
  return row ? row->evdev : 0;
}

int LinuxKeyTables::evdevToConsumerUsage(int evdev) {
  const MediaRow* row = findMedia(&MediaRow::evdev, evdev);
  return row ? row->consumerUsage : 0;
}

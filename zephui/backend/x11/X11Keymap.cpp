#include "backend/x11/X11Keymap.h"

#include "zephui/VirtualKeys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace ZephUI::Backend {
namespace {

// Keys whose keysyms do not follow from a range.
constexpr std::array<std::pair<KeySym, std::uint32_t>, 76> kSingles{{
    {XK_BackSpace, VK_BACK}, {XK_Tab, VK_TAB}, {XK_ISO_Left_Tab, VK_TAB}, {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN}, {XK_Pause, VK_PAUSE}, {XK_Caps_Lock, VK_CAPITAL}, {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE}, {XK_Prior, VK_PRIOR}, {XK_Next, VK_NEXT}, {XK_End, VK_END}, {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT}, {XK_Up, VK_UP}, {XK_Right, VK_RIGHT}, {XK_Down, VK_DOWN}, {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT}, {XK_Delete, VK_DELETE}, {XK_Super_L, VK_LWIN}, {XK_Super_R, VK_RWIN},
    {XK_Menu, VK_APPS}, {XK_KP_Multiply, VK_MULTIPLY}, {XK_KP_Add, VK_ADD}, {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT}, {XK_KP_Decimal, VK_DECIMAL}, {XK_KP_Divide, VK_DIVIDE},
    {XK_KP_Home, VK_HOME}, {XK_KP_End, VK_END}, {XK_KP_Prior, VK_PRIOR}, {XK_KP_Next, VK_NEXT},
    {XK_KP_Left, VK_LEFT}, {XK_KP_Up, VK_UP}, {XK_KP_Right, VK_RIGHT}, {XK_KP_Down, VK_DOWN},
    {XK_KP_Insert, VK_INSERT}, {XK_KP_Delete, VK_DELETE}, {XK_Num_Lock, VK_NUMLOCK}, {XK_Scroll_Lock, VK_SCROLL},
    {XK_Shift_L, VK_LSHIFT}, {XK_Shift_R, VK_RSHIFT}, {XK_Control_L, VK_LCONTROL}, {XK_Control_R, VK_RCONTROL},
    {XK_Alt_L, VK_LMENU}, {XK_Meta_L, VK_LMENU}, {XK_Alt_R, VK_RMENU}, {XK_ISO_Level3_Shift, VK_RMENU},
    {XK_semicolon, VK_OEM_1}, {XK_equal, VK_OEM_PLUS}, {XK_comma, VK_OEM_COMMA}, {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD}, {XK_slash, VK_OEM_2}, {XK_grave, VK_OEM_3}, {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5}, {XK_bracketright, VK_OEM_6}, {XK_apostrophe, VK_OEM_7}, {XK_less, VK_OEM_102},
    {XF86XK_Back, VK_BROWSER_BACK}, {XF86XK_Forward, VK_BROWSER_FORWARD}, {XF86XK_Refresh, VK_BROWSER_REFRESH},
    {XF86XK_Stop, VK_BROWSER_STOP}, {XF86XK_Search, VK_BROWSER_SEARCH}, {XF86XK_Favorites, VK_BROWSER_FAVORITES},
    {XF86XK_HomePage, VK_BROWSER_HOME}, {XF86XK_AudioMute, VK_VOLUME_MUTE},
    {XF86XK_AudioLowerVolume, VK_VOLUME_DOWN}, {XF86XK_AudioRaiseVolume, VK_VOLUME_UP},
    {XF86XK_AudioNext, VK_MEDIA_NEXT_TRACK}, {XF86XK_AudioPrev, VK_MEDIA_PREV_TRACK},
    {XF86XK_AudioStop, VK_MEDIA_STOP}, {XF86XK_AudioPlay, VK_MEDIA_PLAY_PAUSE}, {XF86XK_Mail, VK_LAUNCH_MAIL},
}};

constexpr std::array<std::pair<KeySym, std::uint32_t>, 3> kLaunchKeys{{
    {XF86XK_AudioMedia, VK_LAUNCH_MEDIA_SELECT}, {XF86XK_MyComputer, VK_LAUNCH_APP1}, {XF86XK_Calculator, VK_LAUNCH_APP2},
}};

std::uint32_t FromRanges(KeySym k) {
  if (k >= XK_a && k <= XK_z) return static_cast<std::uint32_t>('A' + (k - XK_a));
  if (k >= XK_A && k <= XK_Z) return static_cast<std::uint32_t>('A' + (k - XK_A));
  if (k >= XK_0 && k <= XK_9) return static_cast<std::uint32_t>('0' + (k - XK_0));
  if (k >= XK_F1 && k <= XK_F24) return static_cast<std::uint32_t>(VK_F1 + (k - XK_F1));
  if (k >= XK_KP_0 && k <= XK_KP_9) return static_cast<std::uint32_t>(VK_NUMPAD0 + (k - XK_KP_0));
  return 0;
}

}  // namespace

std::uint32_t X11Keymap::VirtualKey(KeySym keysym) {
  if (const std::uint32_t vk = FromRanges(keysym)) return vk;
  for (const auto& [sym, vk] : kSingles) {
    if (sym == keysym) return vk;
  }
  for (const auto& [sym, vk] : kLaunchKeys) {
    if (sym == keysym) return vk;
  }
  return 0;
}

std::uint32_t X11Keymap::VirtualKeyOf(XKeyEvent& event) {
  const KeySym plain = XLookupKeysym(&event, 0);
  // Keypad keys follow Num Lock, which the shifted symbol reflects.
  const bool keypad = plain >= XK_KP_Space && plain <= XK_KP_9;
  if (keypad && (event.state & Mod2Mask) != 0) {
    if (const std::uint32_t vk = VirtualKey(XLookupKeysym(&event, 1))) return vk;
  }
  if (const std::uint32_t vk = VirtualKey(plain)) return vk;
  return VirtualKey(XLookupKeysym(&event, 1));
}

std::vector<KeySym> X11Keymap::KeysymsOf(std::uint32_t vk) {
  switch (vk) {
    case VK_SHIFT: return {XK_Shift_L, XK_Shift_R};
    case VK_CONTROL: return {XK_Control_L, XK_Control_R};
    case VK_MENU: return {XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_ISO_Level3_Shift};
    default: break;
  }
  if (vk >= 'A' && vk <= 'Z') return {static_cast<KeySym>(XK_a + (vk - 'A'))};
  if (vk >= '0' && vk <= '9') return {static_cast<KeySym>(XK_0 + (vk - '0'))};
  if (vk >= VK_F1 && vk <= VK_F24) return {static_cast<KeySym>(XK_F1 + (vk - VK_F1))};
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return {static_cast<KeySym>(XK_KP_0 + (vk - VK_NUMPAD0))};
  std::vector<KeySym> syms;
  for (const auto& [sym, code] : kSingles) {
    if (code == vk) syms.push_back(sym);
  }
  return syms;
}

}  // namespace ZephUI::Backend

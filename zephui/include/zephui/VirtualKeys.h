// Virtual-key codes with their Windows values: key messages carry them in
// wParam, and GetKeyState takes them. Letters and digits are their upper-case
// ASCII codes ('A' = 0x41, '0' = 0x30).
#pragma once

#include <cstdint>

namespace ZephUI {

inline constexpr std::uint32_t VK_LBUTTON = 0x01;   ///< left mouse button
inline constexpr std::uint32_t VK_RBUTTON = 0x02;   ///< right mouse button
inline constexpr std::uint32_t VK_MBUTTON = 0x04;   ///< middle mouse button
inline constexpr std::uint32_t VK_BACK = 0x08;      ///< Backspace
inline constexpr std::uint32_t VK_TAB = 0x09;       ///< Tab
inline constexpr std::uint32_t VK_RETURN = 0x0D;    ///< Enter (main and keypad)
inline constexpr std::uint32_t VK_SHIFT = 0x10;     ///< either Shift
inline constexpr std::uint32_t VK_CONTROL = 0x11;   ///< either Ctrl
inline constexpr std::uint32_t VK_MENU = 0x12;      ///< either Alt
inline constexpr std::uint32_t VK_PAUSE = 0x13;     ///< Pause
inline constexpr std::uint32_t VK_CAPITAL = 0x14;   ///< Caps Lock
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;    ///< Escape
inline constexpr std::uint32_t VK_SPACE = 0x20;     ///< Space bar
inline constexpr std::uint32_t VK_PRIOR = 0x21;     ///< Page Up
inline constexpr std::uint32_t VK_NEXT = 0x22;      ///< Page Down
inline constexpr std::uint32_t VK_END = 0x23;       ///< End
inline constexpr std::uint32_t VK_HOME = 0x24;      ///< Home
inline constexpr std::uint32_t VK_LEFT = 0x25;      ///< Left arrow
inline constexpr std::uint32_t VK_UP = 0x26;        ///< Up arrow
inline constexpr std::uint32_t VK_RIGHT = 0x27;     ///< Right arrow
inline constexpr std::uint32_t VK_DOWN = 0x28;      ///< Down arrow
inline constexpr std::uint32_t VK_SNAPSHOT = 0x2C;  ///< Print Screen
inline constexpr std::uint32_t VK_INSERT = 0x2D;    ///< Insert
inline constexpr std::uint32_t VK_DELETE = 0x2E;    ///< Delete
inline constexpr std::uint32_t VK_LWIN = 0x5B;      ///< left logo key
inline constexpr std::uint32_t VK_RWIN = 0x5C;      ///< right logo key
inline constexpr std::uint32_t VK_APPS = 0x5D;      ///< context-menu key
inline constexpr std::uint32_t VK_NUMPAD0 = 0x60;   ///< keypad 0; keypad 1 to 9 follow
inline constexpr std::uint32_t VK_MULTIPLY = 0x6A;  ///< keypad *
inline constexpr std::uint32_t VK_ADD = 0x6B;       ///< keypad +
inline constexpr std::uint32_t VK_SEPARATOR = 0x6C; ///< keypad separator
inline constexpr std::uint32_t VK_SUBTRACT = 0x6D;  ///< keypad -
inline constexpr std::uint32_t VK_DECIMAL = 0x6E;   ///< keypad decimal point
inline constexpr std::uint32_t VK_DIVIDE = 0x6F;    ///< keypad /
inline constexpr std::uint32_t VK_F1 = 0x70;        ///< F1; F2 to F24 follow
inline constexpr std::uint32_t VK_F4 = 0x73;        ///< F4
inline constexpr std::uint32_t VK_F10 = 0x79;       ///< F10
inline constexpr std::uint32_t VK_F24 = 0x87;       ///< F24
inline constexpr std::uint32_t VK_NUMLOCK = 0x90;   ///< Num Lock
inline constexpr std::uint32_t VK_SCROLL = 0x91;    ///< Scroll Lock
inline constexpr std::uint32_t VK_LSHIFT = 0xA0;    ///< left Shift (key state only)
inline constexpr std::uint32_t VK_RSHIFT = 0xA1;    ///< right Shift (key state only)
inline constexpr std::uint32_t VK_LCONTROL = 0xA2;  ///< left Ctrl (key state only)
inline constexpr std::uint32_t VK_RCONTROL = 0xA3;  ///< right Ctrl (key state only)
inline constexpr std::uint32_t VK_LMENU = 0xA4;     ///< left Alt (key state only)
inline constexpr std::uint32_t VK_RMENU = 0xA5;     ///< right Alt or AltGr (key state only)
inline constexpr std::uint32_t VK_BROWSER_BACK = 0xA6;       ///< browser back
inline constexpr std::uint32_t VK_BROWSER_FORWARD = 0xA7;    ///< browser forward
inline constexpr std::uint32_t VK_BROWSER_REFRESH = 0xA8;    ///< browser refresh
inline constexpr std::uint32_t VK_BROWSER_STOP = 0xA9;       ///< browser stop
inline constexpr std::uint32_t VK_BROWSER_SEARCH = 0xAA;     ///< browser search
inline constexpr std::uint32_t VK_BROWSER_FAVORITES = 0xAB;  ///< browser favourites
inline constexpr std::uint32_t VK_BROWSER_HOME = 0xAC;       ///< browser home
inline constexpr std::uint32_t VK_VOLUME_MUTE = 0xAD;        ///< mute
inline constexpr std::uint32_t VK_VOLUME_DOWN = 0xAE;        ///< volume down
inline constexpr std::uint32_t VK_VOLUME_UP = 0xAF;          ///< volume up
inline constexpr std::uint32_t VK_MEDIA_NEXT_TRACK = 0xB0;   ///< next track
inline constexpr std::uint32_t VK_MEDIA_PREV_TRACK = 0xB1;   ///< previous track
inline constexpr std::uint32_t VK_MEDIA_STOP = 0xB2;         ///< stop
inline constexpr std::uint32_t VK_MEDIA_PLAY_PAUSE = 0xB3;   ///< play or pause
inline constexpr std::uint32_t VK_LAUNCH_MAIL = 0xB4;        ///< mail
inline constexpr std::uint32_t VK_LAUNCH_MEDIA_SELECT = 0xB5;///< media player
inline constexpr std::uint32_t VK_LAUNCH_APP1 = 0xB6;        ///< first application key ("my computer")
inline constexpr std::uint32_t VK_LAUNCH_APP2 = 0xB7;        ///< second application key (calculator)
inline constexpr std::uint32_t VK_OEM_1 = 0xBA;      ///< ;: on a US layout
inline constexpr std::uint32_t VK_OEM_PLUS = 0xBB;   ///< =+
inline constexpr std::uint32_t VK_OEM_COMMA = 0xBC;  ///< ,<
inline constexpr std::uint32_t VK_OEM_MINUS = 0xBD;  ///< -_
inline constexpr std::uint32_t VK_OEM_PERIOD = 0xBE; ///< .>
inline constexpr std::uint32_t VK_OEM_2 = 0xBF;      ///< /?
inline constexpr std::uint32_t VK_OEM_3 = 0xC0;      ///< `~
inline constexpr std::uint32_t VK_OEM_4 = 0xDB;      ///< [{
inline constexpr std::uint32_t VK_OEM_5 = 0xDC;      ///< \|
inline constexpr std::uint32_t VK_OEM_6 = 0xDD;      ///< ]}
inline constexpr std::uint32_t VK_OEM_7 = 0xDE;      ///< '"
inline constexpr std::uint32_t VK_OEM_102 = 0xE2;    ///< the extra key beside left Shift on ISO keyboards

}  // namespace ZephUI

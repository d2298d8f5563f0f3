// Message and window timer numbers the paint manager keeps for itself.
#pragma once

#include <cstdint>

#include "zephui/MessageCodes.h"

namespace ZephUI {

/// Posted to the host window when another thread left work for the window's thread
/// (destroying removed controls, hiding the tooltip, releasing the capture).
inline constexpr UINT kManagerWakeMessage = WM_ZEPHUI_RESERVED_FIRST + 12;

/// Window timer that delivers a paint held back to keep one paint per pacing interval.
inline constexpr std::uintptr_t kPaintPaceTimer = 6560;
/// Window timer that frees the spare presentation images of a window that stopped painting.
inline constexpr std::uintptr_t kSpareImagesTimer = 6561;
/// How long a window paints nothing before its spare presentation images go, in milliseconds.
inline constexpr std::uint32_t kSpareImagesDelayMs = 2000;

/// Shortest time between two paints of one window, in milliseconds.
inline constexpr std::uint64_t kPaintIntervalMs = 15;

/// Blink period of the caret, in milliseconds.
inline constexpr std::uint32_t kCaretBlinkMs = 530;

/// Reflected command and colour messages carry this offset.
inline constexpr UINT kReflectOffset = 0x2000;
/// Colour query of an edit child window.
inline constexpr UINT kCtlColorEdit = 0x0133;
/// Colour query of a static child window.
inline constexpr UINT kCtlColorStatic = 0x0138;

}  // namespace ZephUI

// Control ids of the lighting page, as the window's OnMessage receives them.
#pragma once

#include <cstdint>

namespace LightId {
inline constexpr std::uint32_t kPage = 52;
inline constexpr std::uint32_t kListShade = 70;
inline constexpr std::uint32_t kModeList = 71;
inline constexpr std::uint32_t kPicture = 72;
inline constexpr std::uint32_t kSettingsShade = 73;
inline constexpr std::uint32_t kBrightnessLabel = 74;
inline constexpr std::uint32_t kBrightness = 75;
inline constexpr std::uint32_t kSpeedLabel = 76;
inline constexpr std::uint32_t kSpeed = 77;
inline constexpr std::uint32_t kDirectionLabel = 78;
inline constexpr std::uint32_t kLeft = 79;
inline constexpr std::uint32_t kRight = 80;
inline constexpr std::uint32_t kTop = 81;
inline constexpr std::uint32_t kBottom = 82;
inline constexpr std::uint32_t kSetALabel = 83;
inline constexpr std::uint32_t kSetAFirst = 84;
inline constexpr std::uint32_t kSetALast = 91;
inline constexpr std::uint32_t kSetBLabel = 92;
inline constexpr std::uint32_t kSetBFirst = 93;
inline constexpr std::uint32_t kSetBLast = 100;
inline constexpr std::uint32_t kCustomSets = 101;
inline constexpr std::uint32_t kApply = 102;
inline constexpr std::uint32_t kModeColour = 103;
inline constexpr std::uint32_t kColourful = 104;
inline constexpr std::uint32_t kPickerLabel = 105;
inline constexpr std::uint32_t kPickerShade = 106;
inline constexpr std::uint32_t kPalette = 107;
inline constexpr std::uint32_t kRedLabel = 108;
inline constexpr std::uint32_t kRedSlider = 111;
inline constexpr std::uint32_t kBlueSlider = 113;
inline constexpr std::uint32_t kRedEdit = 114;
inline constexpr std::uint32_t kBlueEdit = 116;
inline constexpr std::uint32_t kPresetFirst = 117;
inline constexpr std::uint32_t kPresetLast = 125;
inline constexpr std::uint32_t kMusicAFirst = 126;
inline constexpr std::uint32_t kForeMode = 127;
inline constexpr std::uint32_t kAmplitude = 129;
inline constexpr std::uint32_t kBackMode = 131;
inline constexpr std::uint32_t kBackBrightness = 133;
inline constexpr std::uint32_t kMusicBFirst = 134;
inline constexpr std::uint32_t kEffect = 135;
inline constexpr std::uint32_t kSensitivity = 137;
inline constexpr std::uint32_t kRefresh = 139;
inline constexpr std::uint32_t kMusicColourFirst = 141;
inline constexpr std::uint32_t kMusicColourLast = 147;
inline constexpr std::uint32_t kAreaFirst = 148;  ///< area k's label is 148 + 8 (k - 1), its buttons the next seven
inline constexpr std::uint32_t kAreaLast = 195;
inline constexpr std::uint32_t kAudioDevice = 300;  ///< the sound the visualiser follows (family A music); the macro page starts at 196
}  // namespace LightId

/// Mode flags (the lighting row's config_func).
namespace LightFlag {
inline constexpr std::uint32_t kBrightness = 0x1;
inline constexpr std::uint32_t kSpeed = 0x2;
inline constexpr std::uint32_t kHorizontal = 0x4;
inline constexpr std::uint32_t kVertical = 0x8;
inline constexpr std::uint32_t kPicker = 0x10;
inline constexpr std::uint32_t kModeColour = 0x20;
inline constexpr std::uint32_t kSetA = 0x40;
inline constexpr std::uint32_t kSetB = 0x80;
inline constexpr std::uint32_t kPerKey = 0x100;
inline constexpr std::uint32_t kMusic = 0x200;
inline constexpr std::uint32_t kScreen = 0x400;
inline constexpr std::uint32_t kAreas = 0x800;
}  // namespace LightFlag

// Builders of the frames every keyboard command travels in; unnamed bytes are zero.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "device/HidManager.h"

namespace frames {

/// Report id of every feature frame.
inline constexpr std::uint8_t kFeatureId = 0x07;
/// The first four bytes of every long frame.
inline constexpr std::array<std::uint8_t, 4> kLongFrameMark = {0xBB, 0xAA, 0x99, 0x88};

/// The low byte of a value.
constexpr std::uint8_t Byte(long long value) { return static_cast<std::uint8_t>(value & 0xFF); }

/// An 8-byte feature frame from its leading bytes (report id included).
inline HidManager::Feature Feature(std::initializer_list<std::uint8_t> bytes) {
  HidManager::Feature frame{};
  std::copy(bytes.begin(), bytes.end(), frame.begin());
  return frame;
}

/// A 65-byte report frame from its leading bytes (report id 0 included).
inline HidManager::Report Report(std::initializer_list<std::uint8_t> bytes) {
  HidManager::Report frame{};
  std::copy(bytes.begin(), bytes.end(), frame.begin());
  return frame;
}

/// A 64-byte long frame: the mark, then the parameters.
inline HidManager::Data64 Long(std::initializer_list<std::uint8_t> parameters) {
  HidManager::Data64 frame{};
  std::copy(kLongFrameMark.begin(), kLongFrameMark.end(), frame.begin());
  std::copy(parameters.begin(), parameters.end(), frame.begin() + kLongFrameMark.size());
  return frame;
}

}  // namespace frames

// The two command families of the keyboards, chosen by device type.
#pragma once

enum class CommandFamily {
  A,     ///< device types up to 200: report frames, whole key tables
  B,     ///< device types 201-299: feature frames or long frames, slots
  None,  ///< 300 and above: no keyboard commands
};

/// The family that serves a device type.
constexpr CommandFamily FamilyOf(int deviceType) {
  if (deviceType <= 200) return CommandFamily::A;
  if (deviceType <= 299) return CommandFamily::B;
  return CommandFamily::None;
}

/// Device types below 200 also take the live stream and the custom set selection.
constexpr bool TakesLiveStream(int deviceType) { return deviceType < 200; }

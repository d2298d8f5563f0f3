// The two presence results of the last device rescan, as the worker reads them.
#pragma once

#include <cstdint>

/// Whether the HID manager holds any opened interface.
enum class HidInterfaces : std::uint8_t { None, Found };

/// Whether a catalogue record matched an opened interface.
enum class KeyboardMatch : std::uint8_t { None, Matched };

/// Jobs that need the keyboard need both; idle steps need only the interfaces.
struct PresenceFlags {
  HidInterfaces interfaces = HidInterfaces::None;  ///< any interface opened
  KeyboardMatch keyboard = KeyboardMatch::None;    ///< a served keyboard recognised
};

// Writes a profile's key assignments and macros into a family A keyboard:
// numbered macro buffers, then a whole key table, through report frames.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "store/Records.h"

class Clock;
class HidManager;
class ProfileStore;

class FamilyAKeyWriter {
 public:
  using KeyTable = std::array<std::uint8_t, 360>;  ///< 2 bytes per key index
  static constexpr int kSentKeyTableBytes = 220;   ///< key indexes 0-109 reach the keyboard

  /// Writes through the manager, reads assignments and macros from the store.
  FamilyAKeyWriter(HidManager& hid, Clock& clock, ProfileStore& store);

  /// Downloads the macros and shortcuts, then the key table, for the profile and layer.
  void applyAllKeys(int profile, int layer, const std::map<int, int>& keyIndex);
  /// The macro number each key was given by the last download.
  const std::map<int, int>& macroNumbers() const { return macroNumbers_; }

  /// A macro's buffer: repeat count, event count, then its press and release events.
  std::vector<std::uint8_t> buildMacroBuffer(int macroId);
  /// The key table for the rows, with the macro numbers of the last download.
  KeyTable buildKeyTable(const std::vector<KeyAssignmentRecord>& rows, const std::map<int, int>& keyIndex) const;

 private:
  bool downloadMacro(int number, const std::vector<std::uint8_t>& buffer);
  bool downloadShortcut(int number, int shortcut);
  void downloadMacros(const std::vector<KeyAssignmentRecord>& rows);
  void sendKeyTable(const KeyTable& table);

  HidManager& hid_;
  Clock& clock_;
  ProfileStore& store_;
  std::map<int, int> macroNumbers_;
};

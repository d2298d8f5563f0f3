// The rows a database receives the first time the pages use it: three
// profiles with the configuration rows, the music layer and one lighting row
// per mode of the layout. Each set is written whole or not at all.
#pragma once

#include <vector>

#include "store/Records.h"

class KeyboardLayout;
class ProfileStore;

class StoreDefaults {
 public:
  /// Lists the profiles, first creating "<text 65> 1" to "3" (1 active) and the configuration when there are none; the count.
  static int EnsureDefaultProfiles(ProfileStore& store, std::vector<ProfileRecord>& profiles);
  /// Creates and selects the music layer when there is none, then reads the selected layer; false when none can be read.
  static bool EnsureMusicLayer(ProfileStore& store, bool rgbKeyboard, MusicLayerRecord& layer);
  /// Adds a lighting row per layout mode and activates the default mode, when profile 1 has no rows yet.
  static void EnsureDefaultLighting(ProfileStore& store, const KeyboardLayout& layout);
};

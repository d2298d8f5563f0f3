// Carries out in software the key kinds the playback side leaves alone: the
// media functions of the custom key dialog on the virtual keyboard, and the
// program, web address, text and profile-switch keys, which are handed to the
// main window as special key messages. Runs on the key filter's thread.
#pragma once

#include <functional>

#include "zephui/WindowTypes.h"

class ProfileStore;
class VHidev;

class SpecialKeyRunner {
 public:
  /// Output codes of the media functions 1-7 (Play/Pause, Stop, Previous, Next, Volume Up, Volume Down, Mute).
  static constexpr int kMediaCodes[] = {238, 236, 237, 239, 234, 233, 235};

  /// Reads assignments of the profile `currentProfile` gives; special keys are posted to `window`.
  SpecialKeyRunner(ProfileStore& store, VHidev& keyboard, ZephUI::HWND window, std::function<int()> currentProfile);

  /// A key the filter reported; true when it was one of the kinds run here (nobody else needs it then).
  bool OnFilterKey(int keyCode, bool pressed);

 private:
  void PlayMedia(int value, bool pressed);

  ProfileStore& store_;
  VHidev& keyboard_;
  ZephUI::HWND window_;
  std::function<int()> currentProfile_;
};

// The three key vocabularies the Linux side translates between: evdev key
// codes (what the kernel reports and uinput accepts), HID usages (the
// keyboard's output codes and layout key codes) and Windows virtual-key codes
// (what macro records store). Each key is one row, so no two directions of a
// conversion can disagree. Every lookup gives 0 for a key it does not know.
//
// Keys without a counterpart:
// - Usage 50 (non-US "#", virtual key 666): the kernel reports that key as
//   KEY_BACKSLASH, which already stands for usage 49, so it has no evdev code.
// - Virtual key 254: converts to usage 175, which the HID tables leave
//   reserved; no evdev code.
// - The generic virtual keys 16, 17, 18: converted to nothing; recorders use
//   the left-hand codes instead.
// - Usages 127-129 (keyboard-page Mute and Volume): Linux reports these keys
//   as the media keys below, so they appear only there, as consumer usages.
// - Rows with virtual key 0 (keypad "=", keypad commas, Ro, the language
//   keys): Windows has no virtual key that converts to their usage, so they
//   can be filtered and played but not recorded.
// - Virtual keys 136-139 are not Windows keys: they convert unchanged to the
//   international usages 136-139, and are used here for those keys so that a
//   recorded Henkan (for example) plays back as itself.
#pragma once

#include <span>

class LinuxKeyTables {
 public:
  /// One keyboard key: evdev code, HID keyboard usage, virtual key (0 when none).
  struct KeyRow {
    int evdev;
    int usage;
    int virtualKey;
  };

  /// One media key: evdev code, consumer-control usage, virtual key.
  struct MediaRow {
    int evdev;
    int consumerUsage;
    int virtualKey;
  };

  /// Every keyboard key the Linux side knows.
  static std::span<const KeyRow> keyRows();
  /// Every media key, one per consumer output code.
  static std::span<const MediaRow> mediaRows();

  /// evdev code of a HID keyboard usage.
  static int usageToEvdev(int usage);
  /// HID keyboard usage of an evdev code; 0 for media keys.
  static int evdevToUsage(int evdev);
  /// Virtual key of a keyboard usage.
  static int usageToVirtualKey(int usage);
  /// Virtual key of an evdev code, keyboard and media keys alike.
  static int evdevToVirtualKey(int evdev);
  /// evdev code of a virtual key, keyboard and media keys alike.
  static int virtualKeyToEvdev(int virtualKey);
  /// evdev code of a consumer-control usage.
  static int consumerUsageToEvdev(int consumerUsage);
  /// Consumer-control usage of an evdev code; 0 for keyboard keys.
  static int evdevToConsumerUsage(int evdev);

 private:
  static const KeyRow* findKey(int KeyRow::*field, int value);
  static const MediaRow* findMedia(int MediaRow::*field, int value);
};

// The bytes sent to the keyboard for lighting, custom per-key colours, the
// live lighting streams, factory reset and the firmware version query, in
// both command families, over the transfer primitives of HidManager.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "store/Records.h"

class Clock;
class HidManager;

/// The lighting state a command is built from.
struct LightingCommand {
  int deviceType = 0;       ///< the selected model's device type
  int connectionMode = 0;   ///< 0 wired, 1 or 2 the other modes
  LightRecord row;          ///< the current profile's row of the current mode
  int customSet = 0;        ///< 0-based selection in the custom-set list
};

/// A key's colour in a live lighting frame.
struct LiveKeyColor {
  int lightIndex = 0;   ///< the key's position in the light table
  std::uint32_t gdiColor = 0;  ///< the colour, GDI form (red in the low byte)
};

class KeyboardProtocol {
 public:
  static constexpr int kCustomUsesSets = 0x100;  ///< config_func: a mode with custom colour sets
  static constexpr int kMusicMode = 0x200;       ///< config_func: the music visualiser mode
  static constexpr int kScreenMode = 0x400;      ///< config_func: the screen colour mode

  /// Sends through the manager; every wait goes through the clock.
  KeyboardProtocol(HidManager& hid, Clock& clock);

  /// Sends the lighting mode and its settings; a family A "freshly chosen" mark selects the mode instead and is cleared.
  void applyLighting(const LightingCommand& command, bool& freshlyChosen);
  /// Family A (types below 200): sends the custom set selection.
  void selectCustomSet(const LightingCommand& command);
  /// Sends the custom colours (light id 128 rows) by the layout's light indexes.
  void applyCustomColours(const std::vector<KeyColorRecord>& colours, const std::map<int, int>& lightIndex);
  /// Asks the keyboard for its firmware version; none when it cannot be asked or read.
  std::optional<int> readFirmwareVersion();
  /// Resets the keyboard to its factory settings.
  void resetDevice(int deviceType, int connectionMode);
  /// Family A: streams one live frame when a key has a colour value of 2 or more on a wired keyboard; true when sent.
  bool sendLiveFrame(int connectionMode, const std::vector<LiveKeyColor>& keys);
  /// Family B: sends the music level with the given gain and effect.
  void sendMusicLevel(int level, double gain, int effect);

  /// The music level of one capture buffer: |sample 10 before the end| >> 8, 0 for no samples.
  static int MusicLevel(std::span<const std::int16_t> samples);
  /// The family B brightness byte: b - 1, but 0 stays 0.
  static std::uint8_t BrightnessByte(int brightness);
  /// The family B speed byte: colour index x 16 + speed - 1, but a sum of 0 stays 0.
  static std::uint8_t SpeedByte(int colorIndex, int speed);

 private:
  void applyLightingB(const LightingCommand& command);
  void applyLightingA(const LightingCommand& command, bool& freshlyChosen);
  bool sendChunked(std::uint8_t command, std::span<const std::uint8_t> table, int chunks, int lastLength,
                   bool secondary);

  HidManager& hid_;
  Clock& clock_;
  std::atomic<bool> streamStarted_{false};
};

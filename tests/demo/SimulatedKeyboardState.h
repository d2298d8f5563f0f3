// What a simulated keyboard shows after the frames it received, read from its
// firmware model in one go: the lighting mode and settings, the per-key
// colours (custom colours, or the live stream while one runs) and the music
// level. Values are what the keyboard makes of the bytes, so a setting the
// program sends as "one less" reads as the program's own number again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hidsim {
class KeyboardFirmware;
}

/// One light as the keyboard shows it; unlit lights keep the key dark.
struct LightColour {
  bool lit = false;         ///< the light has a colour
  std::uint8_t red = 0;     ///< red
  std::uint8_t green = 0;   ///< green
  std::uint8_t blue = 0;    ///< blue
  bool operator==(const LightColour&) const = default;  ///< all four equal
};

/// How the last lighting command arrived.
enum class LightingFrame {
  None,        ///< no lighting command yet
  Feature,     ///< family B, wired: 8-byte feature frame
  Long,        ///< family B, the other modes: 64-byte long frame
  SelectMode,  ///< family A: mode selection
  Parameters,  ///< family A: mode parameters
};

struct SimulatedKeyboardState {
  LightingFrame frame = LightingFrame::None;  ///< the last lighting command's kind
  std::optional<int> mode;                    ///< mode number, once known
  int brightness = 0;                         ///< brightness setting
  int speed = 0;                              ///< speed setting
  int direction = 0;                          ///< direction
  std::optional<int> colourIndex;             ///< preset colour (family B)
  std::optional<std::array<std::uint8_t, 3>> colour;  ///< red, green, blue of the mode's colour (family A)
  int customSet = 0;                          ///< custom colour set
  std::vector<LightColour> lights;            ///< per light index
  bool liveStream = false;                    ///< lights come from the live stream
  std::optional<int> musicLevel;              ///< last music level (family B)
  int musicEffect = 0;                        ///< effect of the last music level
  int resets = 0;                             ///< factory resets received
};

/// Reads the state of a family A or family B model.
SimulatedKeyboardState ReadSimulatedKeyboard(const hidsim::KeyboardFirmware& firmware);

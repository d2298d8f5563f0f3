#include "tests/demo/SimulatedKeyboardState.h"

#include "tests/sim/FamilyAFirmware.h"
#include "tests/sim/FamilyBFirmware.h"

namespace {

constexpr std::size_t kCustomBytesPerLight = 4;
constexpr std::size_t kStreamBytesPerLight = 3;
constexpr std::uint8_t kCustomLightSet = 0xFF;  // fourth byte of a light the program coloured

void ReadCustomColours(const hidsim::KeyboardFirmware& firmware, SimulatedKeyboardState& state) {
  const auto table = firmware.CustomColours();
  state.lights.resize(table.size() / kCustomBytesPerLight);
  for (std::size_t light = 0; light < state.lights.size(); ++light) {
    const std::uint8_t* bytes = table.data() + light * kCustomBytesPerLight;
    state.lights[light] = LightColour{bytes[3] == kCustomLightSet, bytes[0], bytes[1], bytes[2]};
  }
}

void ReadFamilyB(const hidsim::FamilyBFirmware& firmware, SimulatedKeyboardState& state) {
  if (const auto lighting = firmware.Lighting()) {
    state.frame = lighting->longFrame ? LightingFrame::Long : LightingFrame::Feature;
    state.mode = lighting->modeIndex + 1;
    // Brightness and speed come one less than set; the speed byte carries the colour in its high half.
    state.brightness = lighting->brightness + 1;
    const int speedSum = lighting->speed + 1;
    state.colourIndex = speedSum >> 4;
    state.speed = speedSum & 0x0F;
    state.direction = lighting->direction;
    state.customSet = lighting->customSet;
  }
  if (const auto level = firmware.LastMusicLevel()) {
    state.musicLevel = level->value;
    state.musicEffect = level->effect;
  }
}

void ReadFamilyA(const hidsim::FamilyAFirmware& firmware, SimulatedKeyboardState& state) {
  if (const auto mode = firmware.SelectedMode()) {
    state.frame = LightingFrame::SelectMode;
    state.mode = *mode;
  }
  if (const auto params = firmware.ModeParams()) {
    state.frame = LightingFrame::Parameters;
    state.brightness = params->brightness;
    state.speed = params->speed;
    state.direction = params->direction;
    state.colour = params->colour;
  }
  if (const auto selection = firmware.CustomSetSelection()) state.customSet = selection->customSet;
  if (firmware.StreamStarts() == 0) return;
  state.liveStream = true;
  const auto stream = firmware.StreamTable();
  state.lights.assign(stream.size() / kStreamBytesPerLight, LightColour{});
  for (std::size_t light = 0; light < state.lights.size(); ++light) {
    const std::uint8_t* rgb = stream.data() + light * kStreamBytesPerLight;
    state.lights[light] = LightColour{(rgb[0] | rgb[1] | rgb[2]) != 0, rgb[0], rgb[1], rgb[2]};
  }
}

}  // namespace

SimulatedKeyboardState ReadSimulatedKeyboard(const hidsim::KeyboardFirmware& firmware) {
  SimulatedKeyboardState state;
  state.resets = firmware.ResetCount();
  ReadCustomColours(firmware, state);
  if (const auto* b = dynamic_cast<const hidsim::FamilyBFirmware*>(&firmware)) ReadFamilyB(*b, state);
  if (const auto* a = dynamic_cast<const hidsim::FamilyAFirmware*>(&firmware)) ReadFamilyA(*a, state);
  return state;
}

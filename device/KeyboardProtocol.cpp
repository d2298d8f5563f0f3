#include "device/KeyboardProtocol.h"

#include <algorithm>
#include <cstdlib>

#include "device/Clock.h"
#include "device/CommandFamily.h"
#include "device/Frames.h"
#include "device/HidManager.h"
#include "device/HidSequence.h"

namespace {

using frames::Byte;
using frames::kFeatureId;
constexpr std::size_t kChunkData = 60;
constexpr std::size_t kTableBytes = 600;

}  // namespace

KeyboardProtocol::KeyboardProtocol(HidManager& hid, Clock& clock) : hid_(hid), clock_(clock) {}

std::uint8_t KeyboardProtocol::BrightnessByte(int brightness) { return Byte(brightness == 0 ? 0 : brightness - 1); }

std::uint8_t KeyboardProtocol::SpeedByte(int colorIndex, int speed) {
  const int sum = colorIndex * 16 + speed;
  return Byte(sum == 0 ? 0 : sum - 1);
}

void KeyboardProtocol::applyLighting(const LightingCommand& command, bool& freshlyChosen) {
  switch (FamilyOf(command.deviceType)) {
    case CommandFamily::B: applyLightingB(command); break;
    case CommandFamily::A: applyLightingA(command, freshlyChosen); break;
    case CommandFamily::None: break;
  }
}

void KeyboardProtocol::applyLightingB(const LightingCommand& c) {
  const LightRecord& r = c.row;
  const std::uint8_t mode = Byte(r.mode - 1);
  const std::uint8_t brightness = BrightnessByte(r.brightness);
  const std::uint8_t speed = SpeedByte(r.colorIndex, r.speed);
  if (c.connectionMode == 0) {
    const std::uint8_t set = (r.configFunc & kCustomUsesSets) != 0 ? Byte(c.customSet) : 0;
    hid_.sendFeature(frames::Feature({kFeatureId, 0xFF, 0xFF, mode, brightness, speed, set, Byte(r.direction)}));
  } else {
    // The long frame always carries the custom set, whatever the mode.
    hid_.writeData64(frames::Long({0xAA, mode, brightness, speed, 0x00, Byte(c.customSet), Byte(r.direction)}));
  }
}

void KeyboardProtocol::applyLightingA(const LightingCommand& c, bool& freshlyChosen) {
  const LightRecord& r = c.row;
  if (freshlyChosen) {
    hid_.writeReport(frames::Report({0x00, 0x88, 0x00, Byte(r.mode)}));
  } else {
    const int p = (r.direction & 3) * 16 + (r.colorful != 0 ? 0x40 : 0) + (r.speed & 0x0F);
    const auto color = static_cast<std::uint32_t>(r.colorValue);
    hid_.writeReport(frames::Report({0x00, 0x89, 0x00, Byte(p), Byte(color), Byte(color >> 8), Byte(color >> 16),
                                  Byte(r.brightness)}));
  }
  freshlyChosen = false;
}

void KeyboardProtocol::selectCustomSet(const LightingCommand& c) {
  if (!TakesLiveStream(c.deviceType)) return;
  const LightRecord& r = c.row;
  const std::uint8_t set = (r.configFunc & kCustomUsesSets) != 0 ? Byte(c.customSet) : 0;
  hid_.sendFeature(
      frames::Feature({kFeatureId, 0xFF, 0xFF, Byte(r.mode - 1), Byte(r.brightness), Byte(r.speed), 0x00, set}));
}

// Chunk k carries table bytes 60k onward; only `length` of them, the rest of the frame stays zero.
bool KeyboardProtocol::sendChunked(std::uint8_t command, std::span<const std::uint8_t> table, int chunks,
                                   int lastLength, bool secondary) {
  HidSequence sequence(hid_);
  for (int k = 0; k < chunks; ++k) {
    clock_.SleepMs(1);
    const std::size_t offset = kChunkData * static_cast<std::size_t>(k);
    const std::size_t length = k == chunks - 1 ? static_cast<std::size_t>(lastLength) : kChunkData;
    HidManager::Report frame{};
    frame[1] = command;
    frame[2] = Byte(static_cast<int>(length));
    frame[3] = Byte(static_cast<int>(offset));
    frame[4] = Byte(static_cast<int>(offset >> 8));
    std::copy_n(table.begin() + static_cast<std::ptrdiff_t>(offset), length, frame.begin() + 5);
    if (!(secondary ? hid_.writeReportSecondary(frame) : hid_.writeReport(frame))) return false;
  }
  return true;
}

void KeyboardProtocol::applyCustomColours(const std::vector<KeyColorRecord>& colours,
                                          const std::map<int, int>& lightIndex) {
  std::array<std::uint8_t, kTableBytes> table{};
  for (const KeyColorRecord& c : colours) {
    const auto it = lightIndex.find(c.keyCode);
    if (it == lightIndex.end() || it->second < 0 || static_cast<std::size_t>(it->second) * 4 + 4 > table.size()) continue;
    const auto rgb = static_cast<std::uint32_t>(c.keyColor);
    const std::size_t at = static_cast<std::size_t>(it->second) * 4;
    table[at] = Byte(rgb);
    table[at + 1] = Byte(rgb >> 8);
    table[at + 2] = Byte(rgb >> 16);
    table[at + 3] = 0xFF;  // even a black key says "set"
  }
  sendChunked(0x8B, table, 8, 20, false);
}

std::optional<int> KeyboardProtocol::readFirmwareVersion() {
  HidSequence sequence(hid_);  // no other frame between the request and its reply
  clock_.SleepMs(16);
  if (!hid_.sendFeatureNow(frames::Feature({kFeatureId, 0xFD}))) return std::nullopt;
  clock_.SleepMs(16);
  HidManager::Feature reply = frames::Feature({kFeatureId});
  int read = hid_.getFeature(reply);
  if (reply[0] != kFeatureId) {
    clock_.SleepMs(16);
    reply = frames::Feature({kFeatureId});
    read = hid_.getFeature(reply);
  }
  if (read < 3) return std::nullopt;  // nothing was read: no version to report
  return reply[1] * 256 + reply[2];
}

void KeyboardProtocol::resetDevice(int deviceType, int connectionMode) {
  switch (FamilyOf(deviceType)) {
    case CommandFamily::A:
      hid_.writeReport(frames::Report({0x00, 0xFF, 0xFE, 0xAA, 0xFF}));
      clock_.SleepMs(100);
      break;
    case CommandFamily::B:
      if (connectionMode == 0) {
        hid_.sendFeature(frames::Feature({kFeatureId, 0xF0, 0xAA}));
        clock_.SleepMs(100);
      } else {
        HidSequence sequence(hid_);  // the two halves belong together
        hid_.writeData64(frames::Long({0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
        if (hid_.deviceGone()) return;
        clock_.SleepMs(1600);
        hid_.writeData64(frames::Long({}));
      }
      break;
    case CommandFamily::None: break;
  }
}

bool KeyboardProtocol::sendLiveFrame(int connectionMode, const std::vector<LiveKeyColor>& keys) {
  const bool lit = std::any_of(keys.begin(), keys.end(), [](const LiveKeyColor& k) { return k.gdiColor >= 2; });
  if (!lit || connectionMode != 0) return false;
  std::array<std::uint8_t, kTableBytes> table{};
  for (const LiveKeyColor& k : keys) {
    if (k.lightIndex < 0 || static_cast<std::size_t>(k.lightIndex) * 3 + 3 > table.size()) continue;
    const std::size_t at = static_cast<std::size_t>(k.lightIndex) * 3;
    table[at] = Byte(static_cast<int>(k.gdiColor));
    table[at + 1] = Byte(static_cast<int>(k.gdiColor >> 8));
    table[at + 2] = Byte(static_cast<int>(k.gdiColor >> 16));
  }
  HidSequence sequence(hid_);
  if (!streamStarted_.exchange(true)) hid_.writeReport(frames::Report({0x00, 0xF0, 0xF4, 0x01}));
  sendChunked(0xF1, table, 6, 30, true);
  return true;
}

int KeyboardProtocol::MusicLevel(std::span<const std::int16_t> samples) {
  if (samples.empty()) return 0;
  const std::size_t at = samples.size() >= 10 ? samples.size() - 10 : 0;
  return std::abs(static_cast<int>(samples[at])) >> 8;
}

void KeyboardProtocol::sendMusicLevel(int level, double gain, int effect) {
  const int value = std::clamp(static_cast<int>(level * gain), 0, 255);
  // A level is stale a moment later: skipped rather than held back while a sequence runs.
  hid_.sendFeatureNow(frames::Feature({kFeatureId, 0x23, 0x45, 0x67, 0x89, Byte(effect), Byte(value), 0x00}),
                      WhenBusy::Skip);
}

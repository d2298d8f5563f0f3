#include "mainwindow/MusicLevelSender.h"

#include "device/CommandFamily.h"
#include "device/KeyboardProtocol.h"
#include "mainwindow/MainWindowView.h"

MusicLevelSender::MusicLevelSender(KeyboardProtocol& protocol, const MainWindowView& view)
    : protocol_(protocol), view_(view) {}

void MusicLevelSender::SetDeviceType(int deviceType) { deviceType_ = deviceType; }

void MusicLevelSender::SetSettings(double gain, int effect) {
  gain_ = gain;
  effect_ = effect;
}

void MusicLevelSender::stopped() {}

void MusicLevelSender::data(std::span<const std::int16_t> samples, int, int, int) {
  if (!MusicModeShown()) return;
  protocol_.sendMusicLevel(KeyboardProtocol::MusicLevel(samples), gain_.load(), effect_.load());
}

void MusicLevelSender::format(const CaptureFormat&) {}

bool MusicLevelSender::MusicModeShown() const {
  return FamilyOf(deviceType_.load()) == CommandFamily::B && view_.CurrentTabIndex() == kLightingTab &&
         (view_.LightingModeFlags() & KeyboardProtocol::kMusicMode) != 0;
}

#include "mainwindow/lightpage/LightMusic.h"

#include "app/LanguageText.h"
#include "mainwindow/lightpage/LightControls.h"
#include "mainwindow/lightpage/LightPageHost.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "store/ProfileStore.h"
#include "zephui/MComboBox.h"
#include "zephui/MSlider.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr int kAmplitudeScale = 5;
constexpr int kFirstForeMode = 9;
constexpr double kSensitivityScale = 50.0;

bool IsFamilyBType(int type) { return type >= 200 && type <= 299; }

int ComboData(const LightControls& controls, std::uint32_t id) {
  const auto* combo = controls.Get<MComboBox>(id);
  return combo == nullptr ? 0 : combo->GetCurData();
}

void SelectData(const LightControls& controls, std::uint32_t id, int data) {
  if (auto* combo = controls.Get<MComboBox>(id)) {
    if (combo->SelectData(data) == 0) combo->SetCurSel(0);  // 0: not listed
  }
}

void SetSlider(const LightControls& controls, std::uint32_t id, int value) {
  if (auto* slider = controls.Get<MSlider>(id)) slider->SetProgress(value);
}

}  // namespace

LightMusic::LightMusic(LightPageHost& host, const LightControls& controls) : host_(host), controls_(controls) {}

bool LightMusic::FamilyA() const { return !IsFamilyBType(host_.DeviceType()); }

bool LightMusic::ReadLayer(MusicLayerRecord& layer) {
  ProfileStore& store = host_.Store();
  if (store.CountMusicLayers() == 0) {
    store.AddMusicLayer(GetLanguageText(kDialogSection, 101) + u" 1", kFirstForeMode);
    store.SelectMusicLayer();
  }
  return store.ReadMusicLayer(store.GetSelectedMusicLayer(), layer);
}

void LightMusic::Load(bool paint) {
  if (!FamilyA()) return;
  MusicLayerRecord layer;
  if (!ReadLayer(layer)) return;
  ShowLayer(layer);
  HandToVisualiser(layer, paint);
}

// A stored device that is no longer listed falls back to the default output's monitor.
std::string LightMusic::SourceOf(int deviceIndex) const {
  if (deviceIndex < 0 || static_cast<std::size_t>(deviceIndex) >= monitors_.size()) return {};
  return monitors_[static_cast<std::size_t>(deviceIndex)].sourceName;
}

void LightMusic::HandToVisualiser(const MusicLayerRecord& layer, bool paint) {
  host_.FollowAudioSource(SourceOf(layer.deviceIndex));
  host_.SetMusicLayer(layer, paint ? Painting::On : Painting::Off);
}

void LightMusic::SetMonitors(const std::vector<AudioMonitor>& monitors) {
  monitors_ = monitors;
  auto* list = controls_.Get<MComboBox>(LightId::kAudioDevice);
  if (list == nullptr) return;
  const int selected = list->GetCurData();
  list->DelAllItems();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    list->AddItem(monitors[i].label, static_cast<std::int32_t>(i), u"", ArgbColor(0xFFFFFFFF));
  }
  if (list->SelectData(selected) == 0) list->SetCurSel(0);
}

void LightMusic::ShowLayer(const MusicLayerRecord& layer) const {
  SelectData(controls_, LightId::kAudioDevice, layer.deviceIndex);
  SelectData(controls_, LightId::kForeMode, layer.foreMode);
  SetSlider(controls_, LightId::kAmplitude, layer.foreAmplitude / kAmplitudeScale);
  SelectData(controls_, LightId::kBackMode, layer.backMode);
  SetSlider(controls_, LightId::kBackBrightness, layer.backBright);
}

void LightMusic::ShowFor(std::uint32_t flags) const {
  const bool music = (flags & LightFlag::kMusic) != 0;
  controls_.Show(LightId::kMusicAFirst, LightId::kBackBrightness, music && FamilyA());
  controls_.Show(LightId::kAudioDevice, music && FamilyA());
  controls_.Show(LightId::kMusicBFirst, LightId::kMusicColourLast, music && !FamilyA());
}

void LightMusic::SendLevelSettings() {
  effect_ = ComboData(controls_, LightId::kEffect);
  gain_ = controls_.SliderValue(LightId::kSensitivity) / kSensitivityScale;
  if (const int period = ComboData(controls_, LightId::kRefresh); period != 0) periodMs_ = period;
  host_.SetMusicLevelSettings(gain_, effect_, periodMs_);
}

bool LightMusic::OnClicked(std::uint32_t id, bool paint) {
  if ((id >= LightId::kMusicAFirst && id <= LightId::kBackBrightness) || id == LightId::kAudioDevice) {
    OnFamilyA(id, paint);
    return true;
  }
  if (id >= LightId::kMusicBFirst && id <= LightId::kMusicColourLast) {
    OnFamilyB(id);
    return true;
  }
  return false;
}

// The visualiser pauses around the change itself, so its thread never reads half a layer.
void LightMusic::OnFamilyA(std::uint32_t id, bool paint) {
  MusicLayerRecord layer;
  if (!ReadLayer(layer)) return;
  switch (id) {
    case LightId::kForeMode: layer.foreMode = ComboData(controls_, id); break;
    case LightId::kAmplitude: layer.foreAmplitude = controls_.SliderValue(id) * kAmplitudeScale; break;
    case LightId::kBackMode: layer.backMode = ComboData(controls_, id); break;
    case LightId::kBackBrightness: layer.backBright = controls_.SliderValue(id); break;
    case LightId::kAudioDevice: layer.deviceIndex = ComboData(controls_, id); break;
    default: return;
  }
  HandToVisualiser(layer, paint);
  host_.Store().UpdateMusicLayer(layer);
}

void LightMusic::OnFamilyB(std::uint32_t id) {
  if (id >= LightId::kMusicColourFirst) {
    colourIndex_ = static_cast<int>(id - LightId::kMusicColourFirst);
    return;
  }
  if (id == LightId::kEffect || id == LightId::kSensitivity || id == LightId::kRefresh) SendLevelSettings();
}

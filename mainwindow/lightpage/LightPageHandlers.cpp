// The lighting page's reactions to its controls: each reads the current
// mode's row, changes one field, stores it and applies it.
#include <vector>

#include "mainwindow/lightpage/AreaColours.h"
#include "mainwindow/lightpage/LightMusic.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/lightpage/LightPageHost.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "store/ProfileStore.h"
#include "zephui/CColorButton.h"
#include "zephui/CirclePalette.h"
#include "zephui/ControlTypes.h"
#include "zephui/KEY_INFO.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MCheckTypeButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MEdit.h"
#include "zephui/MSlider.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr int kPlainRed = 255;

bool Between(std::uint32_t id, std::uint32_t first, std::uint32_t last) { return id >= first && id <= last; }

bool IsPageId(std::uint32_t id) { return Between(id, LightId::kListShade, LightId::kAreaLast) || id == LightId::kAudioDevice; }

}  // namespace

std::optional<LRESULT> LightPage::OnNotify(std::uint32_t controlId, UINT msg, WPARAM, LPARAM) {
  if (!IsPageId(controlId)) return std::nullopt;
  if (controlId == LightId::kPalette && msg == NOTIFY_COLOR) {
    OnPickedColour(controlId);
    return 1;
  }
  if (Between(controlId, LightId::kRedEdit, LightId::kBlueEdit) && msg == NOTIFY_EDIT_CHANGED) {
    OnPickedColour(controlId);
    return 1;
  }
  if (msg != NOTIFY_CLICKED) return 0;
  return OnSetting(controlId);
}

LRESULT LightPage::OnSetting(std::uint32_t id) {
  if (id == LightId::kModeList) ChooseMode();
  else if (id == LightId::kPicture) OnPerKeyColours();
  else if (id == LightId::kBrightness) OnBrightness();
  else if (id == LightId::kSpeed) OnSpeed();
  else if (id == LightId::kLeft || id == LightId::kRight) OnDirection(id);
  else if (Between(id, LightId::kSetAFirst, LightId::kSetALast)) OnColourIndex(static_cast<int>(id - LightId::kSetAFirst));
  else if (Between(id, LightId::kSetBFirst, LightId::kSetBLast)) OnColourIndex(static_cast<int>(id - LightId::kSetBFirst));
  else if (id == LightId::kColourful) OnColourful(true);
  else if (Between(id, LightId::kRedSlider, LightId::kBlueSlider)) OnPickedColour(id);
  else if (Between(id, LightId::kPresetFirst, LightId::kPresetLast)) OnPickedColour(id);
  else if (id == LightId::kCustomSets) OnCustomSet();
  else if (Between(id, LightId::kAreaFirst, LightId::kAreaLast)) OnArea(id);
  else return music_->OnClicked(id, host_.LightingTabOpen()) ? 1 : 0;
  return 1;
}

void LightPage::OnBrightness() {
  LightRecord row;
  if (!ReadCurrent(row)) return;
  // The keyboard reads brightness 0 as "off": the lowest choice is 1.
  row.brightness = std::max(1, controls_.SliderValue(LightId::kBrightness));
  Store(row);
  Apply(ApplyPattern::QueueIfIdle);
}

void LightPage::OnSpeed() {
  LightRecord row;
  if (!ReadCurrent(row)) return;
  const int speed = controls_.SliderValue(LightId::kSpeed);
  row.speed = (row.speed & ~0xF) | (speed & 0xF);
  Store(row);
  if (KeyboardCtrl* picture = Picture()) picture->SetLightSpeed(speed);
  Apply(ApplyPattern::QueueIfIdle);
}

void LightPage::OnDirection(std::uint32_t id) {
  LightRecord row;
  if (!ReadCurrent(row)) return;
  const bool left = id == LightId::kLeft ? controls_.IsChecked(LightId::kLeft) : !controls_.IsChecked(LightId::kRight);
  row.direction = left ? LeftDirection() : LeftDirection() + 1;
  Store(row);
  Apply(ApplyPattern::QueueIfIdle);
}

void LightPage::OnColourIndex(int index) {
  LightRecord row;
  if (!ReadCurrent(row)) return;
  row.colorIndex = index;
  Store(row);
  Apply(ApplyPattern::QueueIfIdle);
}

void LightPage::OnColourful(bool byClick) {
  LightRecord row;
  if (!ReadCurrent(row)) return;
  row.colorful = controls_.IsChecked(LightId::kColourful) ? 1 : 0;
  if (row.colorful == 0 && byClick) {
    row.colorValue = kPlainRed;
    controls_.ShowPickerColour(GdiColor(kPlainRed));
    if (auto* button = controls_.Get<CColorButton>(LightId::kModeColour)) button->SetColor(GdiColor(kPlainRed));
  }
  KeyboardCtrl* picture = Picture();
  if (picture != nullptr && picture->GetKeyboardCtrlMode() != KEYBOARD_MODE_PAINT) {
    picture->SetLightModeColor(row.colorful == 1, GdiColor(static_cast<std::uint32_t>(row.colorValue)));
  }
  Store(row);
  Apply(ApplyPattern::QueueOnly);
}

void LightPage::OnPickedColour(std::uint32_t id) {
  GdiColor colour;
  if (id == LightId::kPalette) {
    if (const auto* palette = controls_.Get<CirclePalette>(id)) colour = palette->GetSelectColor();
  } else if (Between(id, LightId::kPresetFirst, LightId::kPresetLast)) {
    if (const auto* preset = controls_.Get<CColorButton>(id)) colour = preset->GetColor();
  } else if (Between(id, LightId::kRedSlider, LightId::kBlueSlider)) {
    controls_.ShowPickerColour(controls_.SlidersColour());
    colour = controls_.EditsColour();
  } else {
    colour = controls_.EditsColour();
  }
  controls_.ShowPickerColour(colour);
  SetModeColour(colour);
  if (controls_.IsChecked(LightId::kColourful)) {
    if (auto* check = controls_.Get<MCheckTypeButton>(LightId::kColourful)) check->SetControlCheck(0);
    OnColourful(false);
  }
}

void LightPage::SetModeColour(GdiColor colour) {
  if (auto* button = controls_.Get<CColorButton>(LightId::kModeColour)) button->SetColor(colour);
  LightRecord row;
  if (!ReadCurrent(row)) return;
  row.colorValue = static_cast<int>(colour.Value());
  Store(row);
  KeyboardCtrl* picture = Picture();
  // Painting keys: the colour is only the brush; nothing reaches the keyboard before a key is painted.
  if (picture != nullptr && picture->GetKeyboardCtrlMode() == KEYBOARD_MODE_PAINT) {
    picture->SetCustomColor(colour);
    return;
  }
  if (picture != nullptr) picture->SetLightModeColor(false, colour);
  Apply(ApplyPattern::QueueOnly);
}

void LightPage::OnPerKeyColours() {
  KeyboardCtrl* picture = Picture();
  if (picture == nullptr || picture->GetKeyboardCtrlMode() != KEYBOARD_MODE_PAINT) return;
  // One row per key of the picture, unpainted keys as black, so the keyboard's table is rewritten whole.
  const int set = SelectedSet();
  std::vector<KeyColorRecord> colours;
  for (const KEY_INFO* key : picture->GetKeyItems()) {
    colours.push_back(KeyColorRecord{0, kLightingProfile, set, static_cast<int>(key->keyValue),
                                     static_cast<int>(key->colour.Value())});
  }
  host_.Store().ReplaceKeyColors(std::move(colours), set);
  host_.QueueJob(JobCode::JOB_APPLY_CUSTOM_LIGHT, WaitDialog::Show);
}

// Family A keeps three custom sets in the keyboard; choosing one switches at once, without the worker.
void LightPage::OnCustomSet() {
  const auto* sets = controls_.Get<MComboBox>(LightId::kCustomSets);
  if (sets == nullptr || host_.DeviceType() >= 200) return;
  const int index = std::max(sets->GetCurSel(), 0);
  host_.SetCustomSet(index);
  LightRecord row;
  if (ReadCurrent(row)) host_.SelectCustomSetNow(row, index);
  if (KeyboardCtrl* picture = Picture()) picture->SetLightModeColor(false, GdiColor());
  ShowKeyColours(SelectedSet());
}

void LightPage::OnArea(std::uint32_t id) {
  const std::uint32_t offset = id - LightId::kAreaFirst;
  if (offset % 8 == 0) return;  // a label
  LightRecord row;
  if (!ReadCurrent(row)) return;
  AreaColours::Store(row, static_cast<int>(offset / 8) + 1, static_cast<int>(offset % 8) - 1);
  Store(row);
  host_.QueueJobLast(JobCode::JOB_APPLY_LIGHTING);
}

#include "mainwindow/lightpage/LightPage.h"

#include <algorithm>

#include "app/LanguageText.h"
#include "mainwindow/lightpage/AreaColours.h"
#include "mainwindow/lightpage/LightMusic.h"
#include "mainwindow/lightpage/LightPageHost.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "store/ProfileStore.h"
#include "zephui/CColorButton.h"
#include "zephui/CirclePalette.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MCheckTypeButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MSlider.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr GdiColor kRed{0xFF};

bool Has(const LightRecord& row, std::uint32_t flag) { return (static_cast<std::uint32_t>(row.configFunc) & flag) != 0; }

}  // namespace

LightPage::LightPage(LightPageHost& host) : host_(host), music_(std::make_unique<LightMusic>(host, controls_)) {}

LightPage::~LightPage() = default;

void LightPage::Build(MDialog& dialog, const Rect& client) {
  if (!controls_.Build(dialog, client)) return;
  if (KeyboardCtrl* picture = Picture()) picture->SetKeyboardCtrlMode(KEYBOARD_MODE_LIGHT);
}

KeyboardCtrl* LightPage::Picture() const { return controls_.Get<KeyboardCtrl>(LightId::kPicture); }

bool LightPage::FamilyB() const { return host_.DeviceType() >= 200 && host_.DeviceType() <= 299; }

// Family B keyboards take left 1 and right 2; the others left 0 and right 1.
int LightPage::LeftDirection() const { return FamilyB() ? 1 : 0; }

bool LightPage::ReadCurrent(LightRecord& row) {
  return currentMode_ != 0 && host_.Store().ReadLightMode(kLightingProfile, currentMode_, row);
}

void LightPage::Store(const LightRecord& row) { host_.Store().UpdateLightModeSettings(kLightingProfile, row.mode, row); }

void LightPage::Apply(ApplyPattern pattern) {
  switch (pattern) {
    case ApplyPattern::QueueAndWait: host_.QueueJob(JobCode::JOB_APPLY_LIGHTING, WaitDialog::Show); return;
    case ApplyPattern::QueueIfIdle:
      if (!host_.JobsPending()) {
        host_.QueueJob(JobCode::JOB_APPLY_LIGHTING, WaitDialog::Show);
        return;
      }
      // A job that already read the row would send the old value: one more, at the end, carries the new one.
      host_.QueueJobLast(JobCode::JOB_APPLY_LIGHTING);
      return;
    case ApplyPattern::QueueOnly: host_.QueueJobLast(JobCode::JOB_APPLY_LIGHTING); return;
  }
}

void LightPage::Load() {
  host_.EnsureLightingRows();
  FillModeList();
  currentMode_ = host_.Store().GetActiveLightMode(kLightingProfile);
  if (auto* list = controls_.Get<DListBox>(LightId::kModeList)) list->SetCurData(currentMode_);
  ShowMode();
  LightRecord row;
  const bool music = ReadCurrent(row) && Has(row, LightFlag::kMusic);
  music_->Load(music && host_.LightingTabOpen());
}

void LightPage::FillModeList() {
  auto* list = controls_.Get<DListBox>(LightId::kModeList);
  if (list == nullptr) return;
  list->DeleteAllItems();
  std::vector<LightRecord> rows;
  host_.Store().ListLightModes(kLightingProfile, rows);
  // Without the cable the keyboard cannot take the music stream.
  const bool wireless = host_.ConnectionMode() == 1 || host_.ConnectionMode() == 2;
  for (const LightRecord& row : rows) {
    if (wireless && row.configFunc == static_cast<int>(LightFlag::kMusic)) continue;
    list->AddString(GetLanguageText(kDialogSection, ParseDecimal(row.name)), row.mode, 0);
  }
}

void LightPage::ChooseMode() {
  ShowMode();
  LightRecord row;
  if (!ReadCurrent(row)) return;
  if (Has(row, LightFlag::kMusic)) {
    if (FamilyB()) {
      music_->SendLevelSettings();
      if (KeyboardCtrl* picture = Picture()) picture->SetKeyboardCtrlMode(KEYBOARD_MODE_COLOUR);
    }
    return;
  }
  if (Has(row, LightFlag::kScreen)) return;
  host_.MarkLightingFreshlyChosen();
  Apply(ApplyPattern::QueueAndWait);
}

void LightPage::ShowMode() {
  if (const auto* list = controls_.Get<DListBox>(LightId::kModeList); list != nullptr && list->GetCurData() > 0) {
    currentMode_ = list->GetCurData();
  }
  LightRecord row;
  if (!ReadCurrent(row)) return;
  host_.SetLightingModeFlags(static_cast<std::uint32_t>(row.configFunc));
  host_.Store().SetActiveLightMode(kLightingProfile, currentMode_);
  if (KeyboardCtrl* picture = Picture()) picture->SetKeyboardCtrlMode(KEYBOARD_MODE_LIGHT);
  ShowSliders(row);
  ShowDirection(row);
  ShowColours(row);
  ShowPerKey(row);
  music_->ShowFor(static_cast<std::uint32_t>(row.configFunc));
  const bool live = (Has(row, LightFlag::kMusic) && !FamilyB()) || Has(row, LightFlag::kScreen);
  if (KeyboardCtrl* picture = Picture(); picture != nullptr && live) picture->SetKeyboardCtrlMode(KEYBOARD_MODE_COLOUR);
  ShowAreas(row);
}

void LightPage::ShowSliders(const LightRecord& row) {
  const bool brightness = Has(row, LightFlag::kBrightness);
  controls_.Show(LightId::kBrightnessLabel, LightId::kBrightness, brightness);
  if (auto* slider = controls_.Get<MSlider>(LightId::kBrightness)) slider->SetProgress(brightness ? row.brightness : 0);
  const bool speed = Has(row, LightFlag::kSpeed);
  controls_.Show(LightId::kSpeedLabel, LightId::kSpeed, speed);
  if (auto* slider = controls_.Get<MSlider>(LightId::kSpeed)) slider->SetProgress(speed ? row.speed & 0xF : 0);
  if (KeyboardCtrl* picture = Picture(); picture != nullptr && speed) picture->SetLightSpeed(row.speed & 0xF);
}

void LightPage::ShowDirection(const LightRecord& row) {
  const bool horizontal = Has(row, LightFlag::kHorizontal);
  const bool vertical = !horizontal && Has(row, LightFlag::kVertical);
  controls_.Show(LightId::kDirectionLabel, horizontal || vertical);
  controls_.Show(LightId::kLeft, LightId::kRight, horizontal);
  controls_.Show(LightId::kTop, LightId::kBottom, vertical);
  if (horizontal) controls_.CheckRadio(row.direction == LeftDirection() ? LightId::kLeft : LightId::kRight);
  if (vertical) controls_.CheckRadio(row.direction == 2 ? LightId::kTop : LightId::kBottom);
}

void LightPage::ShowColours(const LightRecord& row) {
  const GdiColor colour(static_cast<std::uint32_t>(row.colorValue));
  const bool modeColour = Has(row, LightFlag::kModeColour);
  controls_.Show(LightId::kModeColour, LightId::kColourful, modeColour);
  if (modeColour) {
    if (auto* button = controls_.Get<CColorButton>(LightId::kModeColour)) button->SetColor(colour);
    if (auto* check = controls_.Get<MCheckTypeButton>(LightId::kColourful)) check->SetControlCheck(row.colorful == 1);
    if (KeyboardCtrl* picture = Picture()) picture->SetLightModeColor(row.colorful == 1, colour);
  }
  const bool picker = Has(row, LightFlag::kPicker) || Has(row, LightFlag::kPerKey);
  controls_.Show(LightId::kPickerLabel, LightId::kPresetLast, picker);
  if (picker) controls_.ShowPickerColour(row.colorful == 1 ? kRed : colour);
  controls_.Show(LightId::kSetALabel, LightId::kSetALast, Has(row, LightFlag::kSetA));
  controls_.Show(LightId::kSetBLabel, LightId::kSetBLast, Has(row, LightFlag::kSetB));
  const auto index = static_cast<std::uint32_t>(std::clamp(row.colorIndex & 0xF, 0, 7));
  if (Has(row, LightFlag::kSetA)) controls_.CheckColourButton(LightId::kSetAFirst + index);
  if (Has(row, LightFlag::kSetB)) controls_.CheckColourButton(LightId::kSetBFirst + index);
}

void LightPage::ShowPerKey(const LightRecord& row) {
  const bool perKey = Has(row, LightFlag::kPerKey);
  controls_.Show(LightId::kCustomSets, LightId::kApply, perKey);
  if (!perKey) return;
  const GdiColor colour(static_cast<std::uint32_t>(row.colorValue));
  const GdiColor painting = row.colorful == 1 ? kRed : colour;
  if (KeyboardCtrl* picture = Picture()) {
    picture->SetKeyboardCtrlMode(KEYBOARD_MODE_PAINT);
    picture->SetLightModeColor(false, GdiColor());
    picture->SetCustomColor(painting);
  }
  ShowKeyColours(SelectedSet());
  controls_.Show(LightId::kModeColour, true);
  if (auto* button = controls_.Get<CColorButton>(LightId::kModeColour)) button->SetColor(colour);
  controls_.ShowPickerColour(painting);
}

void LightPage::ShowKeyColours(int set) {
  KeyboardCtrl* picture = Picture();
  if (picture == nullptr) return;
  std::vector<KeyColorRecord> colours;
  host_.Store().ListKeyColors(colours, set);
  for (const KeyColorRecord& colour : colours) {
    if (colour.profile == kLightingProfile) {
      picture->SetKeyColor(static_cast<std::uint32_t>(colour.keyCode), GdiColor(static_cast<std::uint32_t>(colour.keyColor)));
    }
  }
  picture->UpdateControl(CacheReset::Reset);
}

// Family A keyboards keep three custom sets, chosen in the set list; family B has the one per-key set.
int LightPage::SelectedSet() const {
  const auto* sets = controls_.Get<MComboBox>(LightId::kCustomSets);
  if (sets == nullptr || host_.DeviceType() >= 200) return kPerKeySet;
  return kPerKeySet + std::max(sets->GetCurSel(), 0);
}

void LightPage::ShowAreas(const LightRecord& row) {
  const bool areas = Has(row, LightFlag::kAreas);
  controls_.Show(LightId::kAreaFirst, LightId::kAreaLast, areas);
  if (!areas) return;
  const auto shown = AreaColours::Shown(row);
  for (std::uint32_t area = 0; area < shown.size(); ++area) {
    controls_.CheckColourButton(LightId::kAreaFirst + area * 8 + 1 + static_cast<std::uint32_t>(shown[area]));
  }
}

void LightPage::RefreshTexts() {
  controls_.RefreshTexts();
  auto* list = controls_.Get<DListBox>(LightId::kModeList);
  if (list == nullptr) return;
  std::vector<LightRecord> rows;
  host_.Store().ListLightModes(kLightingProfile, rows);
  for (const LightRecord& row : rows) {
    const int index = list->FindItemData(row.mode);
    if (index >= 0) list->ModifyItemString(index, GetLanguageText(kDialogSection, ParseDecimal(row.name)));
  }
}

void LightPage::SetAudioMonitors(const std::vector<AudioMonitor>& monitors) { music_->SetMonitors(monitors); }

void LightPage::SelectFirstCustomSet() {
  if (auto* sets = controls_.Get<MComboBox>(LightId::kCustomSets)) sets->SetCurSel(0);
  host_.SetCustomSet(0);
}

void LightPage::ClearPictureKeys() {
  if (KeyboardCtrl* picture = Picture()) picture->ClearItem();
}

void LightPage::SetPicture(const Rect& rect, const std::u16string& image, int width, int height) {
  KeyboardCtrl* picture = Picture();
  if (picture == nullptr) return;
  picture->SetRect(rect);
  picture->SetKeyboardImage(image);
  picture->SetWidthAndHeight(width, height);
}

void LightPage::AddPictureKey(const LayoutKey& key) {
  if (KeyboardCtrl* picture = Picture()) {
    picture->AddKeyItem(key.name, key.description, static_cast<std::uint32_t>(key.code), key.rect, u"");
  }
}

void LightPage::SetSliderMaximums(int brightnessMax, int speedMax) {
  if (auto* slider = controls_.Get<MSlider>(LightId::kBrightness); slider != nullptr && brightnessMax > 0) {
    slider->SetMaxProgress(brightnessMax);
  }
  if (auto* slider = controls_.Get<MSlider>(LightId::kSpeed); slider != nullptr && speedMax > 0) {
    slider->SetMaxProgress(speedMax);
  }
}

void LightPage::ShowLiveColours(const std::vector<std::pair<int, GdiColor>>& colours) {
  KeyboardCtrl* picture = Picture();
  if (picture == nullptr || picture->GetKeyboardCtrlMode() != KEYBOARD_MODE_COLOUR) return;
  for (const auto& [code, colour] : colours) picture->SetKeyColor(static_cast<std::uint32_t>(code), colour);
  picture->UpdateControl(CacheReset::Reset);
}

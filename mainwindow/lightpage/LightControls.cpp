#include "mainwindow/lightpage/LightControls.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "app/LanguageText.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "zephui/CArea.h"
#include "zephui/CColorButton.h"
#include "zephui/CRadioButton.h"
#include "zephui/CirclePalette.h"
#include "zephui/DListBox.h"
#include "zephui/MButton.h"
#include "zephui/MCheckTypeButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MDialog.h"
#include "zephui/MEdit.h"
#include "zephui/MSlider.h"
#include "zephui/MText.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr GdiColor kShadeColour{0x646464};
constexpr int kShadeAlpha = 40;
constexpr ArgbColor kWhite{0xFFFFFFFF};
constexpr std::array<std::uint32_t, 7> kRainbow{0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
constexpr std::array<std::uint32_t, 9> kPresets{0, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0};
// Music list items: (text, data).
constexpr std::array<std::pair<int, int>, 11> kForeModes{
    {{106, 9}, {107, 13}, {108, 14}, {109, 17}, {110, 19}, {111, 1}, {112, 2}, {113, 3}, {114, 4}, {115, 5}, {118, 7}}};
constexpr std::array<std::pair<int, int>, 12> kBackModes{{{117, 0}, {111, 1}, {112, 2}, {113, 3}, {114, 4}, {118, 7},
                                                          {115, 5}, {106, 9}, {107, 13}, {108, 14}, {109, 17},
                                                          {110, 19}}};
constexpr std::array<std::pair<int, int>, 2> kEffects{{{120, 1}, {121, 2}}};
// Labels whose text is a language number.
constexpr std::array<std::pair<std::uint32_t, int>, 19> kLabels{
    {{74, 82}, {76, 83}, {78, 85}, {83, 89}, {92, 89}, {102, 87}, {104, 90}, {105, 91}, {126, 100}, {128, 102},
     {130, 104}, {132, 105}, {134, 100}, {136, 103}, {138, 104}, {140, 89}, {148, 541}, {156, 542}, {164, 543}}};

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

int Component(const MEdit* edit) {
  if (edit == nullptr) return 0;
  int value = 0;
  for (const char16_t c : edit->GetEditText()) {
    if (c < u'0' || c > u'9') break;
    value = std::min(value * 10 + (c - u'0'), 1000);
  }
  return value;
}

void FillCombo(MComboBox* combo, const auto& items) {
  if (combo == nullptr) return;
  const int selected = std::max(combo->GetCurSel(), 0);
  combo->DelAllItems();
  for (const auto& [text, data] : items) combo->AddItem(Text(text), data, u"", kWhite);
  combo->SetCurSel(selected);
}

}  // namespace

bool LightControls::Build(MDialog& dialog, const Rect& client) {
  page_ = dynamic_cast<MPanel*>(dialog.GetControl(LightId::kPage));
  if (page_ == nullptr) return false;
  BuildShades(client);
  BuildSliders();
  BuildDirection();
  BuildColourSets();
  BuildModeColour();
  BuildPicker();
  BuildMusicA();
  BuildMusicB();
  BuildAreas();
  RefreshTexts();
  return true;
}

void LightControls::BuildShades(const Rect& client) {
  const int w = client.Width();
  const int h = client.Height();
  top_ = h - 280;
  for (const auto& [id, rect] : {std::pair{LightId::kListShade, Rect{80, 50, 320, h - 1}},
                                 std::pair{LightId::kSettingsShade, Rect{330, top_, w - 10, h - 1}},
                                 std::pair{LightId::kPickerShade, Rect{800, top_ + 5, w - 15, h - 6}}}) {
    if (auto* shade = dynamic_cast<CArea*>(page_->CreateControl(u"CArea", id, rect, u"", true, true))) {
      shade->SetTransparent(kShadeAlpha, kShadeAlpha, kShadeColour);
    }
  }
  if (auto* list = dynamic_cast<DListBox*>(
          page_->CreateControl(u"DListBox", LightId::kModeList, Rect{90, 60, 310, h - 11}, u"", true, true))) {
    list->SetImage(u"icon//icon_circle.png", 2);
    list->SetTextColor(kWhite);
  }
  if (auto* picture = dynamic_cast<MControl*>(
          page_->CreateControl(u"KeyboardCtrl", LightId::kPicture, Rect{}, u"", true, true))) {
    picture->SetTabStop(false);
  }
}

void LightControls::AddText(std::uint32_t id, const Rect& rect, int text) {
  if (auto* label = dynamic_cast<MText*>(page_->CreateControl(u"MText", id, rect, Text(text), true, true))) {
    label->SetTextColor(kWhite);
  }
}

void LightControls::AddSlider(std::uint32_t id, const Rect& rect, int low, int high, int position) {
  auto* slider = dynamic_cast<MSlider*>(page_->CreateControl(u"MSlider", id, rect, u"", true, true));
  if (slider == nullptr) return;
  slider->SetImage(u"img_slider_back.png", 1);
  slider->SetThumbImage(u"img_thumb.png");
  slider->SetMinProgress(low);
  slider->SetMaxProgress(high);
  slider->SetProgress(position);
}

void LightControls::AddColourButton(std::uint32_t id, const Rect& rect, std::uint32_t colour, const char16_t* group) {
  auto* button = dynamic_cast<CColorButton*>(page_->CreateControl(u"CColorButton", id, rect, u"", true, true));
  if (button == nullptr) return;
  button->SetColor(GdiColor(colour));
  button->SetGroupName(group);
}

void LightControls::AddCombo(std::uint32_t id, const Rect& rect) {
  auto* combo = dynamic_cast<MComboBox*>(page_->CreateControl(u"MComboBox", id, rect, u"", true, true));
  if (combo == nullptr) return;
  combo->SetImage(u"img_combobox.png", 4);
  combo->SetTextColor(kWhite);
}

void LightControls::BuildSliders() {
  AddText(LightId::kBrightnessLabel, Rect{345, top_ + 15, 445, top_ + 40}, 82);
  AddSlider(LightId::kBrightness, Rect{450, top_ + 10, 760, top_ + 46}, 1, 4, 4);
  AddText(LightId::kSpeedLabel, Rect{345, top_ + 60, 445, top_ + 85}, 83);
  AddSlider(LightId::kSpeed, Rect{450, top_ + 55, 760, top_ + 91}, 1, 4, 3);
}

void LightControls::BuildDirection() {
  const int y = top_ + 100;
  AddText(LightId::kDirectionLabel, Rect{345, y + 5, 445, y + 30}, 85);
  const std::array<std::pair<std::uint32_t, const char16_t*>, 4> radios{
      {{LightId::kLeft, u"btn_direction_left.png"}, {LightId::kRight, u"btn_direction_right.png"},
       {LightId::kTop, u"btn_direction_top.png"}, {LightId::kBottom, u"btn_direction_bottom.png"}}};
  for (std::size_t i = 0; i < radios.size(); ++i) {
    const int x = 450 + static_cast<int>(i % 2) * 40;
    auto* radio = dynamic_cast<CRadioButton*>(
        page_->CreateControl(u"CRadioButton", radios[i].first, Rect{x, y, x + 30, y + 30}, u"", true, true));
    if (radio == nullptr) continue;
    radio->SetImage(radios[i].second, 8);
    radio->SetGroupName(i < 2 ? u"IDC_LIGHT_STC_DIRECTION1" : u"IDC_LIGHT_STC_DIRECTION2");
  }
  CheckRadio(LightId::kLeft);
  CheckRadio(LightId::kTop);
}

void LightControls::BuildColourSets() {
  const int y = top_ + 145;
  AddText(LightId::kSetALabel, Rect{345, y + 2, 445, y + 27}, 89);
  AddText(LightId::kSetBLabel, Rect{345, y + 2, 445, y + 27}, 89);
  for (std::uint32_t i = 0; i < 8; ++i) {
    const int x = 450 + static_cast<int>(i) * 34;
    const Rect rect{x, y, x + 28, y + 28};
    AddColourButton(LightId::kSetAFirst + i, rect, i == 0 ? 0 : kPresets[i], u"IDC_LIGHT_STC_COLORS");
    AddColourButton(LightId::kSetBFirst + i, rect, kPresets[i], u"IDC_LIGHT_STC_COLORSS");
  }
  if (auto* colourful = Get<CColorButton>(LightId::kSetAFirst)) colourful->SetImage(u"btn_colorful.png", 1);
}

void LightControls::BuildModeColour() {
  const int y = top_ + 190;
  // The mode colour button stands where the colour label of the sets would be.
  AddColourButton(LightId::kModeColour, Rect{345, y, 373, y + 28}, 0xFF, u"IDC_CUSTOMLIGHT_STC_LIGHTCOLOR");
  auto* check = dynamic_cast<MCheckTypeButton*>(
      page_->CreateControl(u"CCheckButton", LightId::kColourful, Rect{385, y + 4, 545, y + 24}, Text(90), true, true));
  if (check != nullptr) {
    check->SetImage(u"btn_checkbox.png", 8);
    check->SetTextColor(kWhite);
  }
  AddCombo(LightId::kCustomSets, Rect{345, top_ + 55, 525, top_ + 93});
  if (auto* apply = dynamic_cast<MButton*>(page_->CreateControl(u"MButton", LightId::kApply,
                                                                Rect{535, top_ + 58, 655, top_ + 90}, Text(87), true,
                                                                true))) {
    apply->SetImage(u"btn_apply.png", 4);
    apply->SetTextColor(kWhite);
  }
}

void LightControls::BuildPicker() {
  const int y = top_ + 15;
  AddText(LightId::kPickerLabel, Rect{815, y, 1015, y + 25}, 91);
  page_->CreateControl(u"CirclePalette", LightId::kPalette, Rect{815, y + 35, 951, y + 171}, u"", true, true);
  if (auto* palette = Get<CirclePalette>(LightId::kPalette)) palette->SetImage(u"img_circlepalette.png", 1);
  const std::array<const char16_t*, 3> names{u"R", u"G", u"B"};
  for (std::uint32_t i = 0; i < 3; ++i) {
    const int row = y + 45 + static_cast<int>(i) * 40;
    if (auto* label = dynamic_cast<MText*>(
            page_->CreateControl(u"MText", LightId::kRedLabel + i, Rect{970, row + 5, 995, row + 30}, names[i], true,
                                 true))) {
      label->SetTextColor(kWhite);
    }
    AddSlider(LightId::kRedSlider + i, Rect{1000, row, 1180, row + 36}, 0, 255, 255);
    auto* edit = dynamic_cast<MEdit*>(
        page_->CreateControl(u"MEdit", LightId::kRedEdit + i, Rect{1190, row + 3, 1250, row + 33}, u"0", true, true));
    if (edit == nullptr) continue;
    edit->SetImage(u"img_edit.png", 4);
    edit->SetNumberOnly(true);
    edit->SetLimitText(3);
    edit->SetTextColor(kWhite);
  }
  for (std::uint32_t i = 0; i < kPresets.size(); ++i) {
    const int x = 815 + static_cast<int>(i) * 34;
    AddColourButton(LightId::kPresetFirst + i, Rect{x, y + 185, x + 28, y + 213}, kPresets[i],
                    u"IDC_LIGHT_STC_DEFAULTCOLOR");
  }
}

void LightControls::BuildMusicA() {
  const int y = top_ + 15;
  AddText(126, Rect{345, y + 5, 495, y + 30}, 100);
  AddCombo(LightId::kForeMode, Rect{500, y, 760, y + 38});
  AddText(128, Rect{345, y + 55, 495, y + 80}, 102);
  AddSlider(LightId::kAmplitude, Rect{500, y + 50, 760, y + 86}, 0, 200, 60);
  AddText(130, Rect{345, y + 105, 495, y + 130}, 104);
  AddCombo(LightId::kBackMode, Rect{500, y + 100, 760, y + 138});
  AddText(132, Rect{345, y + 155, 495, y + 180}, 105);
  AddSlider(LightId::kBackBrightness, Rect{500, y + 150, 760, y + 186}, 0, 100, 100);
  AddCombo(LightId::kAudioDevice, Rect{345, y + 195, 760, y + 233});
  Show(LightId::kMusicAFirst, LightId::kBackBrightness, false);
  Show(LightId::kAudioDevice, false);
}

void LightControls::BuildMusicB() {
  const int y = top_ + 15;
  AddText(134, Rect{345, y + 5, 495, y + 30}, 100);
  AddCombo(LightId::kEffect, Rect{500, y, 760, y + 38});
  AddText(136, Rect{345, y + 55, 495, y + 80}, 103);
  AddSlider(LightId::kSensitivity, Rect{500, y + 50, 760, y + 86}, 0, 200, 100);
  AddText(138, Rect{345, y + 105, 495, y + 130}, 104);
  AddCombo(LightId::kRefresh, Rect{500, y + 100, 760, y + 138});
  if (auto* refresh = Get<MComboBox>(LightId::kRefresh)) {
    for (const int period : {33, 66, 99}) {
      refresh->AddItem(std::u16string(u"") + char16_t(u'0' + period / 10) + char16_t(u'0' + period % 10) + u"ms",
                       period, u"", kWhite);
    }
    refresh->SetCurSel(0);
  }
  AddText(140, Rect{345, y + 157, 495, y + 182}, 89);
  for (std::uint32_t i = 0; i < kRainbow.size(); ++i) {
    const int x = 500 + static_cast<int>(i) * 34;
    AddColourButton(LightId::kMusicColourFirst + i, Rect{x, y + 155, x + 28, y + 183}, kRainbow[i],
                    u"IDC_LIGHT_STC_MUSICCOLORS");
  }
  Show(LightId::kMusicBFirst, LightId::kMusicColourLast, false);
}

void LightControls::BuildAreas() {
  static constexpr std::array<const char16_t*, 6> kGroups{
      u"IDC_LIGHT_CUSTOM_STC_AREA1", u"IDC_LIGHT_CUSTOM_STC_AREA2", u"IDC_LIGHT_CUSTOM_STC_AREA3",
      u"IDC_LIGHT_CUSTOM_STC_AREA4", u"IDC_LIGHT_CUSTOM_STC_AREA5", u"IDC_LIGHT_CUSTOM_STC_AREA6"};
  for (int area = 0; area < 6; ++area) {
    const std::uint32_t label = LightId::kAreaFirst + static_cast<std::uint32_t>(area) * 8;
    const int x = area < 3 ? 345 : 570;
    const int y = top_ + 60 + (area % 3) * 45;
    AddText(label, Rect{x, y + 5, x + 70, y + 30}, 541 + area);
    for (std::uint32_t i = 0; i < kRainbow.size(); ++i) {
      const int bx = x + 75 + static_cast<int>(i) * 30;
      AddColourButton(label + 1 + i, Rect{bx, y + 2, bx + 26, y + 28}, kRainbow[i], kGroups[static_cast<std::size_t>(area)]);
    }
  }
  Show(LightId::kAreaFirst, LightId::kAreaLast, false);
}

void LightControls::Show(std::uint32_t first, std::uint32_t last, bool visible) const {
  for (std::uint32_t id = first; id <= last; ++id) {
    if (MControl* control = Get<MControl>(id)) control->SetVisible(visible);
  }
}

void LightControls::RefreshTexts() const {
  for (const auto& [id, text] : kLabels) {
    if (auto* label = Get<MControlFont>(id)) label->SetTitle(Text(text));
  }
  for (int area = 3; area < 6; ++area) {
    if (auto* label = Get<MControlFont>(LightId::kAreaFirst + static_cast<std::uint32_t>(area) * 8)) {
      label->SetTitle(Text(541 + area));
    }
  }
  FillMusicLists();
  if (auto* sets = Get<MComboBox>(LightId::kCustomSets)) {
    const int selected = std::max(sets->GetCurSel(), 0);
    sets->DelAllItems();
    for (int n = 1; n <= 3; ++n) sets->AddItem(Text(86) + u" " + char16_t(u'0' + n), n, u"", kWhite);
    sets->SetCurSel(selected);
  }
}

void LightControls::FillMusicLists() const {
  FillCombo(Get<MComboBox>(LightId::kForeMode), kForeModes);
  FillCombo(Get<MComboBox>(LightId::kBackMode), kBackModes);
  FillCombo(Get<MComboBox>(LightId::kEffect), kEffects);
}

void LightControls::ShowPickerColour(GdiColor colour) const {
  const std::array<int, 3> parts{colour.Red(), colour.Green(), colour.Blue()};
  for (std::uint32_t i = 0; i < 3; ++i) {
    if (auto* slider = Get<MSlider>(LightId::kRedSlider + i)) slider->SetProgress(parts[i]);
    if (auto* edit = Get<MEdit>(LightId::kRedEdit + i)) edit->SetEditText(DecimalText(parts[i]));
  }
}

GdiColor LightControls::EditsColour() const {
  std::array<std::uint8_t, 3> parts{};
  for (std::uint32_t i = 0; i < 3; ++i) {
    auto* edit = Get<MEdit>(LightId::kRedEdit + i);
    const int value = Component(edit);
    parts[i] = static_cast<std::uint8_t>(std::min(value, 255));
    if (edit != nullptr && value > 255) edit->SetEditText(u"255");
  }
  return GdiColor::FromRgb(parts[0], parts[1], parts[2]);
}

GdiColor LightControls::SlidersColour() const {
  return GdiColor::FromRgb(static_cast<std::uint8_t>(SliderValue(LightId::kRedSlider)),
                           static_cast<std::uint8_t>(SliderValue(LightId::kRedSlider + 1)),
                           static_cast<std::uint8_t>(SliderValue(LightId::kBlueSlider)));
}

int LightControls::SliderValue(std::uint32_t id) const {
  const auto* slider = Get<MSlider>(id);
  return slider == nullptr ? 0 : slider->GetProgress();
}

void LightControls::CheckColourButton(std::uint32_t id) const {
  if (auto* button = Get<CColorButton>(id)) button->SetCheck(1);
}

void LightControls::CheckRadio(std::uint32_t id) const {
  if (auto* radio = Get<CRadioButton>(id)) radio->SetCheck(1);
}

bool LightControls::IsChecked(std::uint32_t id) const {
  if (const auto* button = Get<MCheckTypeButton>(id)) return button->GetCheck() != 0;
  if (const auto* colour = Get<CColorButton>(id)) return colour->GetCheck() != 0;
  return false;
}

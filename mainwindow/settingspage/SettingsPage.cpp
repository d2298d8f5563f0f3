#include "mainwindow/settingspage/SettingsPage.h"

#include <array>
#include <utility>

#include "app/LanguageText.h"
#include "app/Settings.h"
#include "app/SystemLanguage.h"
#include "mainwindow/settingspage/LanguageList.h"
#include "mainwindow/settingspage/SettingsPageHost.h"
#include "zephui/CArea.h"
#include "zephui/ControlTypes.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MCheckTypeButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MDialog.h"
#include "zephui/MProgress.h"
#include "zephui/MText.h"
#include "zephui/UpgradeButton.h"

using namespace ZephUI;

namespace {

constexpr GdiColor kShadeColour{0x646464};
constexpr int kShadeAlpha = 40;
constexpr ArgbColor kWhite{0xFFFFFFFF};
constexpr int kEnglish = 1033;
constexpr int kProgressDone = 100;

// Ids with their text numbers, for building and for the language refresh.
constexpr std::array<std::pair<std::uint32_t, int>, 7> kTexts{{{SettingsId::kLanguageLabel, 150},
                                                               {SettingsId::kStartAtLogin, 151},
                                                               {SettingsId::kResetProfile, 152},
                                                               {SettingsId::kFactoryReset, 153},
                                                               {SettingsId::kSoftwareUpdate, 156},
                                                               {SettingsId::kFirmwareUpdate, 157},
                                                               {SettingsId::kPicture, 0}}};

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

bool IsFamilyB(int deviceType) { return deviceType >= 201 && deviceType <= 299; }

}  // namespace

void SettingsPage::Build(MDialog& dialog, const Rect& client) {
  page_ = dynamic_cast<MPanel*>(dialog.GetControl(SettingsId::kPage));
  if (page_ == nullptr) return;
  const int h = client.Height();
  if (auto* shade = dynamic_cast<CArea*>(
          page_->CreateControl(u"CArea", SettingsId::kShade, Rect{80, 50, 320, h - 1}, u"", true, true))) {
    shade->SetTransparent(kShadeAlpha, kShadeAlpha, kShadeColour);
  }
  if (auto* label = dynamic_cast<MText*>(page_->CreateControl(u"MText", SettingsId::kLanguageLabel,
                                                              Rect{105, 120, 260, 150}, Text(150), true, true))) {
    label->SetTextColor(kWhite);
  }
  if (auto* list = dynamic_cast<MComboBox*>(
          page_->CreateControl(u"MComboBox", SettingsId::kLanguage, Rect{100, 150, 300, 188}, u"", true, true))) {
    list->SetImage(u"img_combobox.png", 4);
    list->SetTextColor(kWhite);
  }
  FillLanguages();
  BuildButtons();
  if (auto* picture = dynamic_cast<KeyboardCtrl*>(
          page_->CreateControl(u"KeyboardCtrl", SettingsId::kPicture, Rect{}, u"", true, true))) {
    picture->SetKeyboardCtrlMode(KEYBOARD_MODE_LIGHT);
  }
}

void SettingsPage::BuildButtons() {
  auto* check = dynamic_cast<MCheckTypeButton*>(page_->CreateControl(
      u"CCheckButton", SettingsId::kStartAtLogin, Rect{100, 200, 300, 238}, Text(151), true, true));
  if (check != nullptr) {
    check->SetImage(u"btn_checkbox.png", 8);
    check->SetTextColor(kWhite);
    check->SetControlCheck(IsAutoRunSet() ? 1 : 0);
  }
  // The profile reset sits between the start-up box and the factory reset, where it reads as the milder reset.
  const std::array<std::pair<std::uint32_t, Rect>, 4> buttons{{{SettingsId::kResetProfile, Rect{100, 305, 300, 343}},
                                                               {SettingsId::kFactoryReset, Rect{100, 360, 300, 398}},
                                                               {SettingsId::kSoftwareUpdate, Rect{100, 415, 300, 453}},
                                                               {SettingsId::kFirmwareUpdate, Rect{100, 470, 300, 508}}}};
  for (const auto& [id, rect] : buttons) {
    const bool update = id == SettingsId::kSoftwareUpdate || id == SettingsId::kFirmwareUpdate;
    auto* button = dynamic_cast<MButton*>(
        page_->CreateControl(update ? u"UpgradeButton" : u"MButton", id, rect, u"", true, true));
    if (button == nullptr) continue;
    button->SetImage(u"btn_apply.png", 4);
    button->SetTextColor(kWhite);
  }
  if (auto* reset = Get<MButton>(SettingsId::kFactoryReset)) reset->SetVisible(false);
  if (auto* bar = dynamic_cast<MProgress*>(
          page_->CreateControl(u"MProgress", SettingsId::kProgress, Rect{100, 516, 300, 524}, u"", false, true))) {
    bar->SetMaxProgress(kProgressDone);
  }
  RefreshTexts();
}

void SettingsPage::FillLanguages() {
  auto* list = Get<MComboBox>(SettingsId::kLanguage);
  if (list == nullptr) return;
  list->DelAllItems();
  for (const LanguageChoice& choice : LanguageList::Read(host_.ProgramFolder())) {
    list->AddItem(choice.name, choice.id, u"", kWhite);
  }
  if (list->GetCount() == 0) list->AddItem(LanguageList::NameOf(kEnglish), kEnglish, u"", kWhite);
  SelectLanguage(GetLanguageId());
}

void SettingsPage::SelectLanguage(int id) {
  auto* list = Get<MComboBox>(SettingsId::kLanguage);
  if (list != nullptr && list->SelectData(id) < 0) list->SelectData(kEnglish);
}

void SettingsPage::RefreshTexts() {
  for (const auto& [id, text] : kTexts) {
    if (text == 0) continue;
    if (auto* control = Get<MControlFont>(id)) control->SetTitle(Text(text));
  }
}

void SettingsPage::Load() {
  if (auto* reset = Get<MButton>(SettingsId::kFactoryReset)) reset->SetVisible(IsFamilyB(host_.DeviceType()));
}

std::optional<LRESULT> SettingsPage::OnNotify(std::uint32_t controlId, UINT msg) {
  if (controlId < SettingsId::kShade || controlId > SettingsId::kProgress) return std::nullopt;
  if (msg != NOTIFY_CLICKED) return 0;
  switch (controlId) {
    case SettingsId::kLanguage: return OnLanguage();
    case SettingsId::kStartAtLogin: return OnStartAtLogin();
    case SettingsId::kResetProfile: return OnResetProfile();
    case SettingsId::kFactoryReset: return OnFactoryReset();
    case SettingsId::kSoftwareUpdate: return OnSoftwareUpdate();
    case SettingsId::kFirmwareUpdate: return OnFirmwareUpdate();
    default: return 0;
  }
}

LRESULT SettingsPage::OnLanguage() {
  const auto* list = Get<MComboBox>(SettingsId::kLanguage);
  if (list == nullptr || list->GetCurData() <= 0) return 0;
  SetLanguageId(list->GetCurData());
  WriteLanguageId();
  host_.RefreshLanguage();
  return 1;
}

LRESULT SettingsPage::OnStartAtLogin() {
  const auto* check = Get<MCheckTypeButton>(SettingsId::kStartAtLogin);
  SetAutoRun(check != nullptr && check->GetCheck() != 0);
  return 1;
}

LRESULT SettingsPage::OnResetProfile() {
  if (host_.Ask(Text(165), Text(166), BoxStyle::TwoButtons) != 1) return 0;
  host_.ResetCurrentProfileKeys();
  host_.SelectFirstCustomSet();
  return 1;
}

LRESULT SettingsPage::OnFactoryReset() {
  if (host_.Ask(Text(167), Text(168), BoxStyle::TwoButtons) != 1) return 0;
  WriteSettingString("exit_mode", u"0");
  SelectLanguage(SystemUiLanguage());
  host_.SelectFirstCustomSet();
  OnLanguage();
  if (auto* check = Get<MCheckTypeButton>(SettingsId::kStartAtLogin)) check->SetControlCheck(0);
  SetAutoRun(false);
  if (!host_.RecreateStore()) return 0;
  host_.QueueJob(JobCode::JOB_FACTORY_RESET, WaitDialog::Show);
  return 1;
}

int SettingsPage::UpgradeStatus(std::uint32_t id) const {
  const auto* button = Get<UpgradeButton>(id);
  return button == nullptr ? 0 : button->GetUpgradeStatus();
}

LRESULT SettingsPage::OnSoftwareUpdate() {
  if (UpgradeStatus(SettingsId::kSoftwareUpdate) == 0) {
    host_.Ask(Text(175), Text(156), BoxStyle::OneButton);
    return 1;
  }
  host_.QueueJob(JobCode::JOB_INSTALL_SOFTWARE, WaitDialog::None);
  return 1;
}

LRESULT SettingsPage::OnFirmwareUpdate() {
  const int question = UpgradeStatus(SettingsId::kFirmwareUpdate) != 0 ? 176 : 177;
  if (host_.Ask(Text(question), Text(157), BoxStyle::TwoButtons) == 2) return 0;
  host_.QueueJob(JobCode::JOB_UPDATE_FIRMWARE, WaitDialog::None);
  return 1;
}

void SettingsPage::ShowUpgradeMarkers(bool software, bool firmware) {
  if (auto* button = Get<UpgradeButton>(SettingsId::kSoftwareUpdate); button != nullptr && software) {
    button->SetUpgradeStatus(1);
  }
  if (auto* button = Get<UpgradeButton>(SettingsId::kFirmwareUpdate); button != nullptr && firmware) {
    button->SetUpgradeStatus(1);
  }
}

void SettingsPage::ShowDownloadProgress(int state) {
  auto* bar = Get<MProgress>(SettingsId::kProgress);
  if (bar == nullptr) return;
  bar->SetProgress(state);
  bar->SetVisible(state > 0 && state < kProgressDone);
}

void SettingsPage::ClearPictureKeys() {
  if (auto* picture = Get<KeyboardCtrl>(SettingsId::kPicture)) picture->ClearItem();
}

void SettingsPage::SetPicture(const Rect& rect, const std::u16string& image, int width, int height) {
  auto* picture = Get<KeyboardCtrl>(SettingsId::kPicture);
  if (picture == nullptr) return;
  picture->SetRect(rect);
  picture->SetKeyboardImage(image);
  picture->SetWidthAndHeight(width, height);
}

void SettingsPage::AddPictureKey(const LayoutKey& key) {
  if (auto* picture = Get<KeyboardCtrl>(SettingsId::kPicture)) {
    picture->AddKeyItem(key.name, key.description, static_cast<std::uint32_t>(key.code), key.rect, u"");
  }
}

void SettingsPage::SetFirmwareButtonVisible(bool visible) {
  if (auto* button = Get<MButton>(SettingsId::kFirmwareUpdate)) button->SetVisible(visible);
}

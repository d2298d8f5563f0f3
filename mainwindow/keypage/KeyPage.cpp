#include "mainwindow/keypage/KeyPage.h"

#include <array>
#include <utility>

#include "device/KeyCodes.h"
#include "mainwindow/keypage/KeyLabels.h"
#include "mainwindow/keypage/KeyPageHost.h"
#include "mainwindow/keypage/ProfileList.h"
#include "store/ProfileStore.h"
#include "zephui/CArea.h"
#include "zephui/ControlTypes.h"
#include "zephui/Cursor.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MDialog.h"
#include "zephui/MPanel.h"
#include "zephui/MenuWnd.h"

using namespace ZephUI;

namespace {

constexpr GdiColor kShadeColour{0x646464};
constexpr int kShadeAlpha = 40;

// Picker items of the media row and the texts that describe them.
constexpr std::array<std::pair<int, int>, 18> kPickerTexts{{{249, 252}, {242, 270}, {240, 271}, {232, 272},
                                                            {238, 230}, {236, 231}, {237, 232}, {239, 233},
                                                            {234, 234}, {233, 235}, {235, 236}, {241, 273},
                                                            {246, 274}, {245, 275}, {243, 276}, {244, 277},
                                                            {248, 278}, {247, 279}}};

// Picker codes from this value on are stored as picker functions rather than keys.
constexpr int kFirstPickerFunction = 500;

MPanel* PageOf(MDialog& dialog) { return dynamic_cast<MPanel*>(dialog.GetControl(KeyPageId::kPage)); }

}  // namespace

KeyPage::KeyPage(KeyPageHost& host) : host_(host), profiles_(std::make_unique<ProfileList>(host, *this)) {}

KeyPage::~KeyPage() = default;

void KeyPage::Build(MDialog& dialog, const Rect& client) {
  MPanel* page = PageOf(dialog);
  if (page == nullptr) return;
  const int w = client.Width();
  const int h = client.Height();
  for (const auto& [id, rect] : {std::pair{KeyPageId::kTopShade, Rect{80, 50, 320, 100}},
                                 std::pair{KeyPageId::kListShade, Rect{80, 100, 320, h - 1}}}) {
    if (auto* shade = dynamic_cast<CArea*>(page->CreateControl(u"CArea", id, rect, u"", true, true))) {
      shade->SetTransparent(kShadeAlpha, kShadeAlpha, kShadeColour);
    }
  }
  profiles_->Build(*page, client);
  picture_ = dynamic_cast<KeyboardCtrl*>(page->CreateControl(u"KeyboardCtrl", KeyPageId::kPicture, Rect{}, u"",
                                                             true, true));
  if (picture_ != nullptr) {
    picture_->SetTitle(KeyLabels::Text(304));
    picture_->SetKeyboardCtrlMode(KEYBOARD_MODE_SELECT);
    picture_->EnableKBTips(true);
  }
  picker_ = dynamic_cast<KeyFuncControl*>(page->CreateControl(u"KeyFuncControl", KeyPageId::kPicker,
                                                              Rect{330, h - 270, w - 1, h - 1}, u"", true, true));
  if (picker_ == nullptr) return;
  picker_->SetTextColor(ArgbColor(0xFFFFFFFF));
  picker_->SetImage(u"img_customkey.png", 4);
  picker_->SetFontWidth(10);
  picker_->InitItemInfo();
  SetPickerDescriptions();
}

void KeyPage::SetPickerDescriptions() {
  if (picker_ == nullptr) return;
  for (const auto& [item, text] : kPickerTexts) picker_->SetItemDesc(item, KeyLabels::Text(text));
}

void KeyPage::ClearPictureKeys() {
  if (picture_ != nullptr) picture_->ClearItem();
}

void KeyPage::SetPicture(const Rect& rect, const std::u16string& image, int width, int height) {
  if (picture_ == nullptr) return;
  picture_->SetRect(rect);
  picture_->SetKeyboardImage(image);  // the layout names it with its folder
  picture_->SetWidthAndHeight(width, height);
}

void KeyPage::AddPictureKey(const LayoutKey& key) {
  if (picture_ != nullptr) picture_->AddKeyItem(key.name, key.description, static_cast<std::uint32_t>(key.code),
                                                 key.rect, u"");
}

std::optional<LRESULT> KeyPage::OnNotify(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (controlId == KeyPageId::kPicture) return OnPictureNotice(msg, lParam);
  if (controlId == KeyPageId::kPicker) return OnPickerNotice();
  return profiles_->OnNotify(controlId, msg, wParam, lParam);
}

void KeyPage::ClearPickerCheck() {
  if (picker_ != nullptr) picker_->SetItemCheckByItemData(0, 0, 0);
}

void KeyPage::CheckPickerFor(const KeyAssignmentRecord& record) {
  const bool picked = IsType(record.macroType, AssignmentType::Key) ||
                      IsType(record.macroType, AssignmentType::PickerFunction);
  if (picked && picker_ != nullptr) {
    picker_->SetItemCheckByItemData(record.macroValue, record.macroValue2, record.macroValue3);
  }
}

void KeyPage::SetTip(const KeyAssignmentRecord& record) {
  const KeyTip tip = KeyLabels::TipFor(record);
  if (tip.shown) picture_->SetTipKey(static_cast<std::uint32_t>(record.keyCode), tip.label, tip.detail);
}

void KeyPage::ShowAssignments(int profileId) {
  if (picture_ == nullptr) return;
  ClearPickerCheck();
  picture_->ResetAllItemCheck(0);
  picture_->ResetTipKey();
  std::vector<KeyAssignmentRecord> rows;
  host_.Store().ListKeyAssignments(profileId, 0, rows);
  for (const KeyAssignmentRecord& row : rows) {
    picture_->SetKeyCheck(static_cast<std::uint32_t>(row.keyCode), 1);
    SetTip(row);
  }
  picture_->UpdateControl(CacheReset::Reset);
}

LRESULT KeyPage::OnPictureNotice(UINT msg, LPARAM keyValue) {
  ClearPickerCheck();
  if (msg != NOTIFY_CLICKED && msg != NOTIFY_RCLICK) return 1;
  currentKey_ = static_cast<int>(keyValue);
  if (currentKey_ < 1) return 0;
  if (currentKey_ == kRefusedPictureKey) {
    picture_->SetSelectItem(-1);
    host_.ShowMessage(KeyLabels::Text(365), KeyLabels::Text(366), BoxStyle::OneButton);
    return 0;
  }
  KeyAssignmentRecord record;
  if (host_.Store().ReadKeyAssignment(host_.CurrentProfile(), 0, currentKey_, record)) CheckPickerFor(record);
  if (msg == NOTIFY_RCLICK) OpenKeyMenu();
  return 1;
}

void KeyPage::OpenKeyMenu() {
  Point cursor;
  GetCursorPos(cursor);
  auto* menu = new MenuWnd(nullptr);  // deletes itself when its window goes
  if (menu->Create(host_.Window(), cursor, KeyPageMessage::kKeyMenu) != 1) return;
  const std::pair<int, int> rows[] = {{201, KeyMenuItem::kRestore},
                                      {206, KeyMenuItem::kMacro},
                                      {209, KeyMenuItem::kShortcut},
                                      {213, KeyMenuItem::kOtherFunction},
                                      {202, KeyMenuItem::kDisable}};
  for (const auto& [text, item] : rows) menu->AddMenu(KeyLabels::Text(text), static_cast<std::uint32_t>(item), u"", 0, 0);
  menu->SetMenuPoint();
}

int KeyPage::CountedAssignments(int profileId) const {
  std::vector<KeyAssignmentRecord> rows;
  host_.Store().ListKeyAssignments(profileId, 0, rows);
  int count = 0;
  for (const KeyAssignmentRecord& row : rows) {
    if (KeyCodes::countsTowardLimit(static_cast<AssignmentType>(row.macroType))) ++count;
  }
  return count;
}

bool KeyPage::LimitReached() {
  if (CountedAssignments(host_.CurrentProfile()) < kAssignmentLimit) return false;
  host_.ShowMessage(KeyLabels::Text(371), KeyLabels::Text(372), BoxStyle::OneButton);
  return true;
}

LRESULT KeyPage::OnPickerNotice() {
  if (currentKey_ == kRefusedPickerKey) {
    host_.ShowMessage(KeyLabels::Text(365), KeyLabels::Text(366), BoxStyle::OneButton);
    return 0;
  }
  if (LimitReached()) return 0;
  int first = 0;
  KeyAssignmentRecord record;
  if (picker_ == nullptr || currentKey_ < 1 ||
      !picker_->GetCurItemData(first, record.macroValue, record.macroValue2, record.macroValue3,
                               record.description)) {
    return 1;
  }
  record.macroType = static_cast<int>(record.macroValue < kFirstPickerFunction ? AssignmentType::Key
                                                                                : AssignmentType::PickerFunction);
  SaveAndApply(std::move(record));
  return 1;
}

void KeyPage::SaveAndApply(KeyAssignmentRecord record) {
  const int profile = host_.CurrentProfile();
  record.profile = profile;
  record.keyCode = currentKey_;
  record.layer = 0;
  const auto key = static_cast<std::uint32_t>(currentKey_);
  if (host_.Store().SaveKeyAssignment(record) < 1) {
    picture_->SetTipKey(key, u"", u"");
    picture_->SetKeyCheck(key, 0);
    picture_->SetSelectItem(-1);
    picture_->UpdateControl(CacheReset::Reset);
    ClearPickerCheck();
  } else {
    picture_->SetKeyCheck(key, 1);
    picture_->UpdateControl(CacheReset::Reset);
    picture_->SetTipKey(key, u"", u"");
    SetTip(record);
    CheckPickerFor(record);
  }
  host_.ProgramKeyFilter(profile);
}

LRESULT KeyPage::OnKeyMenu(int item) {
  if (currentKey_ < 1 || picture_ == nullptr) return 1;
  switch (item) {
    case KeyMenuItem::kRestore:
      SaveAndApply(KeyAssignmentRecord{});
      ClearPickerCheck();
      return 1;
    case KeyMenuItem::kDisable: {
      KeyAssignmentRecord record;
      record.macroType = static_cast<int>(AssignmentType::Disabled);
      record.macroValue = KeyCodes::kDisabledValue;
      record.description = KeyLabels::Text(202);
      SaveAndApply(std::move(record));
      ClearPickerCheck();
      return LimitReached() ? 0 : 1;
    }
    case KeyMenuItem::kMacro: return OpenCustomKey(static_cast<int>(AssignmentType::Macro));
    case KeyMenuItem::kShortcut: return OpenCustomKey(static_cast<int>(AssignmentType::Shortcut));
    case KeyMenuItem::kOtherFunction: return OpenCustomKey(static_cast<int>(AssignmentType::Key));
    default: return 1;
  }
}

LRESULT KeyPage::OpenCustomKey(int kind) {
  if (LimitReached()) return 0;
  std::u16string keyName;
  for (const KEY_INFO* key : picture_->GetKeyItems()) {
    if (key->keyValue == static_cast<std::uint32_t>(currentKey_)) keyName = key->name;
  }
  const int profile = host_.CurrentProfile();
  if (host_.RunCustomKeyDialog(currentKey_, keyName, profile, kind) == 1) {
    ShowAssignments(profile);
    host_.ProgramKeyFilter(profile);
  }
  return 1;
}

LRESULT KeyPage::OnProfileMenu(int item) { return profiles_->OnMenu(item); }

void KeyPage::Load() { profiles_->Fill(); }

void KeyPage::SwitchToProfile(int profileId) { profiles_->SwitchTo(profileId); }

void KeyPage::RefreshTexts() {
  if (picture_ != nullptr) picture_->SetTitle(KeyLabels::Text(304));
  SetPickerDescriptions();
  profiles_->RefreshTexts();
  ShowAssignments(host_.CurrentProfile());
}

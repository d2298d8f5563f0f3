#include "mainwindow/keypage/ProfileList.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "mainwindow/keypage/KeyLabels.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/keypage/KeyPageHost.h"
#include "store/ProfileStore.h"
#include "store/Records.h"
#include "zephui/CImageButton.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MPanel.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr int kProfileWord = 65;
constexpr int kButtonTips[] = {28, 30, 29, 26, 27};
constexpr std::uint32_t kButtonIds[] = {ProfileListId::kAdd, ProfileListId::kDelete, ProfileListId::kRename,
                                        ProfileListId::kImport, ProfileListId::kExport};
constexpr const char16_t* kButtonImages[] = {u"imgbtn_add.png", u"imgbtn_del.png", u"imgbtn_edit.png",
                                             u"imgbtn_import.png", u"imgbtn_export.png"};
// Texts of our own for the failures the user must hear about.
constexpr int kImportFailedText = 380;
constexpr int kExportFailedText = 381;

std::u16string Text(int number) { return KeyLabels::Text(number); }

std::u16string Numbered(int n) { return Text(kProfileWord) + u" " + ToUtf16(std::to_string(n)); }

}  // namespace

ProfileList::ProfileList(KeyPageHost& host, KeyPage& page) : host_(host), page_(page) {}

void ProfileList::Build(MPanel& page, const Rect& client) {
  for (int i = 0; i < 5; ++i) AddButton(page, kButtonIds[i], i, kButtonImages[i]);
  list_ = dynamic_cast<DListBox*>(page.CreateControl(u"DListBox", ProfileListId::kList,
                                                     Rect{80, 100, 320, client.Height() - 1}, u"", true, true));
  if (list_ == nullptr) return;
  list_->SetTextColor(ArgbColor(0xFFFFFFFF));
  list_->SetEditImage(u"img_edit.png", 4);
  list_->SetImage(u"icon/icon_circle.png", 2);
  list_->EnableShowEdit(true);
}

void ProfileList::AddButton(MPanel& page, std::uint32_t id, int index, const char16_t* image) {
  const int left = 110 + 35 * index;
  auto* button = dynamic_cast<CImageButton*>(page.CreateControl(u"CImageButton", id, Rect{left, 60, left + 30, 90},
                                                                u"", true, true));
  if (button == nullptr) return;
  button->SetImage(image, 4);
  button->SetTooltip(Text(kButtonTips[index]));
  buttons_[index] = button;
}

void ProfileList::SetButtonTooltips() {
  for (int i = 0; i < 5; ++i) {
    if (buttons_[i] != nullptr) buttons_[i]->SetTooltip(Text(kButtonTips[i]));
  }
}

std::optional<LRESULT> ProfileList::OnNotify(std::uint32_t controlId, UINT msg, WPARAM, LPARAM) {
  if (controlId == ProfileListId::kList) {
    if (msg == NOTIFY_CLICKED) return Select();
    if (msg == NOTIFY_EDIT_END) return EndRename();
    return 1;
  }
  if (controlId < ProfileListId::kAdd || controlId > ProfileListId::kExport) return std::nullopt;
  if (msg != NOTIFY_CLICKED) return 1;
  switch (controlId) {
    case ProfileListId::kAdd: return Add();
    case ProfileListId::kDelete: return Delete();
    case ProfileListId::kRename: return StartRename();
    case ProfileListId::kImport: return Import();
    default: return Export();
  }
}

LRESULT ProfileList::OnMenu(int item) {
  switch (item) {
    case ProfileMenuItem::kDelete: return Delete();
    case ProfileMenuItem::kRename: return StartRename();
    case ProfileMenuItem::kImport: return Import();
    case ProfileMenuItem::kExport: return Export();
    default: return 0;
  }
}

void ProfileList::Fill() {
  if (list_ == nullptr) return;
  ProfileStore& store = host_.Store();
  list_->DeleteAllItems();
  std::vector<ProfileRecord> profiles;
  if (store.ListProfiles(profiles) == 0) {
    int first = 0;
    for (int n = 1; n <= 3; ++n) {
      const int id = store.AddProfile(ProfileRecord{0, Numbered(n), u"", 0, 0});
      if (n == 1) first = id;
    }
    store.SetActiveProfile(first);
    store.ListProfiles(profiles);
  }
  for (const ProfileRecord& profile : profiles) list_->AddString(KeyLabels::ProfileName(profile.name), profile.id, -1);
  int current = store.GetActiveProfile();
  if (current == 0 && list_->GetItemCount() > 0) {
    current = list_->GetItemData(0);
    store.SetActiveProfile(current);
  }
  list_->SetCurData(current);
  host_.SetCurrentProfile(current);
  page_.ShowAssignments(current);
}

void ProfileList::RefreshTexts() {
  SetButtonTooltips();
  if (list_ == nullptr) return;
  for (int i = 0; i < list_->GetItemCount(); ++i) RestoreStoredName(i, list_->GetItemData(i));
}

void ProfileList::RestoreStoredName(int index, int profileId) {
  std::u16string stored;
  if (host_.Store().GetProfileName(profileId, stored)) list_->ModifyItemString(index, KeyLabels::ProfileName(stored));
}

std::u16string ProfileList::NextName() const {
  std::u16string name;
  for (int n = 1; n <= kHighestNameNumber; ++n) {
    name = Numbered(n);
    if (list_->FindString(name) < 0) break;
  }
  return name;
}

void ProfileList::MakeCurrent(int profileId) {
  host_.SetCurrentProfile(profileId);
  page_.ShowAssignments(profileId);
}

LRESULT ProfileList::Add() {
  if (list_ == nullptr) return 0;
  if (list_->GetItemCount() >= kProfileLimit) {
    host_.ShowMessage(Text(295), Text(kProfileWord), BoxStyle::OneButton);
    return 0;
  }
  const std::u16string name = NextName();
  const int id = host_.Store().AddProfile(ProfileRecord{0, name, u"", 0, 0});
  if (id <= 0) return 0;
  list_->SetCurSel(list_->AddString(name, id, -1));
  MakeCurrent(id);
  host_.ProgramKeyFilter(id);
  return 1;
}

LRESULT ProfileList::Delete() {
  if (list_ == nullptr || list_->GetItemCount() <= 1 || list_->GetCurSel() < 0) return 0;
  if (host_.ShowMessage(Text(290), Text(291), BoxStyle::TwoButtons) == 2) return 1;
  const int index = list_->GetCurSel();
  if (!host_.Store().DeleteProfile(list_->GetItemData(index))) return 1;
  list_->DeleteItem(index);
  const int next = index > 0 ? index - 1 : 0;
  list_->SetCurSel(next);
  const int current = list_->GetItemData(next);
  MakeCurrent(current);
  host_.ProgramKeyFilter(current);
  host_.QueueApplyKeysAndWait();
  return 1;
}

LRESULT ProfileList::StartRename() {
  if (list_ == nullptr || list_->GetCurSel() < 0) return 0;
  // The editor takes the keyboard focus itself; moving it to the list would close the editor again.
  if (!list_->ShowEdit()) return 0;
  list_->UpdateControl(CacheReset::Reset);
  return 1;
}

LRESULT ProfileList::EndRename() {
  const int index = list_ != nullptr ? list_->GetCurSel() : -1;
  if (index < 0) return 0;
  const std::u16string name = list_->GetItemText(index);
  const int id = list_->GetItemData(index);
  if (!name.empty() && !host_.ContainsForbiddenWord(name)) {
    // The list keeps what the store holds, so a failed rename shows the old name again.
    if (host_.Store().RenameProfile(id, name)) return 1;
    RestoreStoredName(index, id);
    return 0;
  }
  host_.ShowMessage(Text(330), Text(33), BoxStyle::OneButton);
  RestoreStoredName(index, id);
  return 0;
}

LRESULT ProfileList::Select() {
  if (list_ == nullptr) return 1;
  if (list_->GetCurSel() < 0) {
    if (page_.Picture() != nullptr) page_.Picture()->SetEnabled(false);
    return 1;
  }
  SwitchTo(list_->GetCurData());
  return 1;
}

void ProfileList::SwitchTo(int profileId) {
  ProfileStore& store = host_.Store();
  // A profile-switch key may still name a profile that has been deleted since.
  std::u16string stored;
  if (!store.GetProfileName(profileId, stored)) return;
  if (page_.Picture() != nullptr) page_.Picture()->SetEnabled(true);
  if (list_ != nullptr && list_->GetCurData() != profileId) list_->SetCurData(profileId);
  store.SetActiveProfile(profileId);
  MakeCurrent(profileId);
  host_.ProgramKeyFilter(profileId);
}

LRESULT ProfileList::Import() {
  FileChooserRequest request;
  request.mode = FileChooserMode::Open;
  request.title = Text(26);
  request.filters = {FileFilter{u"Custom Key (*.xml)", {u"*.xml"}}};
  request.defaultExtension = u"xml";
  request.owner = host_.Window();
  host_.AskFile(std::move(request), [this](const FileChooserAnswer& answer) {
    if (answer.outcome == FileChooserOutcome::Chosen) ImportFile(answer.path);
  });
  return 1;
}

bool ProfileList::ImportFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  ExchangeFiles files(host_.Store());
  if (files.ImportProfile(path, *this) > 0) return true;
  host_.ShowMessage(Text(kImportFailedText), Text(26), BoxStyle::OneButton);
  return false;
}

void ProfileList::MacroImported(const std::u16string&, int, bool) {}

void ProfileList::ProfileImported(const std::u16string& name, int profileId) {
  if (list_ == nullptr) return;
  list_->SetCurSel(list_->AddString(KeyLabels::ProfileName(name), profileId, -1));
  SwitchTo(profileId);
}

LRESULT ProfileList::Export() {
  if (list_ == nullptr || list_->GetCurSel() < 0) {
    // Texts 151 and 152 also label the settings page's start-at-login box and profile reset button, so the
    // box would read "Start at login" / "Reset Profile"; it gets texts of its own.
    host_.ShowSystemMessage(Text(384), Text(385));
    return 0;
  }
  const int profileId = list_->GetCurData();
  std::u16string stored;
  host_.Store().GetProfileName(profileId, stored);
  FileChooserRequest request;
  request.mode = FileChooserMode::Save;
  request.title = Text(27);
  request.filters = {FileFilter{u"Profile (*.xml)", {u"*.xml"}}};
  request.defaultExtension = u"xml";
  request.suggestedName = stored + u".xml";
  request.owner = host_.Window();
  host_.AskFile(std::move(request), [this, profileId](const FileChooserAnswer& answer) {
    if (answer.outcome == FileChooserOutcome::Chosen) ExportFile(profileId, answer.path);
  });
  return 1;
}

bool ProfileList::ExportFile(int profileId, const std::string& path) {
  // Written beside the target and moved over it, so a failed write leaves no half-written file.
  const std::string partial = path + ".partial";
  ExchangeFiles files(host_.Store());
  std::error_code error;
  bool written = files.ExportProfile(profileId, partial);
  if (written) std::filesystem::rename(partial, path, error);
  if (!written || error) {
    std::filesystem::remove(partial, error);
    host_.ShowMessage(Text(kExportFailedText), Text(27), BoxStyle::OneButton);
    return false;
  }
  return true;
}

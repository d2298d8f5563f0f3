#include "mainwindow/macropage/MacroList.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "mainwindow/keypage/KeyLabels.h"
#include "mainwindow/macropage/MacroPage.h"
#include "mainwindow/macropage/MacroPageHost.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/PageControls.h"
#include "store/ProfileStore.h"
#include "store/Records.h"
#include "zephui/CArea.h"
#include "zephui/Color.h"
#include "zephui/Cursor.h"
#include "zephui/DListBox.h"
#include "zephui/MButton.h"
#include "zephui/MPanel.h"
#include "zephui/MText.h"
#include "zephui/MenuWnd.h"
#include "zephui/PaintManager.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr int kMacroWord = 331;
constexpr int kButtonTexts[6] = {311, 312, 31, 26, 27, 33};
// Texts of our own for the failures the user must hear about.
constexpr int kImportFailedText = 382;
constexpr int kExportFailedText = 383;

std::u16string Text(int number) { return PageControls::Text(number); }

}  // namespace

MacroList::MacroList(MacroPageHost& host, MacroPage& page) : host_(host), page_(page) {}

void MacroList::Build(MPanel& page, const Rect& client) {
  if (auto* shade = dynamic_cast<CArea*>(page.CreateControl(u"CArea", MacroPageId::kShade,
                                                            Rect{80, 80, 320, client.Height() - 1}, u"", true, true))) {
    shade->SetTransparent(40, 40, GdiColor{0x646464});
  }
  title_ = PageControls::Label(page, MacroPageId::kListTitle, Rect{80, 50, 260, 80}, 300);
  list_ = dynamic_cast<DListBox*>(page.CreateControl(u"DListBox", MacroPageId::kList,
                                                     Rect{80, 80, 320, client.Height() - 1}, u"", true, true));
  if (list_ != nullptr) {
    list_->SetTextColor(ArgbColor(0xFFFFFFFF));
    list_->SetEditImage(u"img_edit.png", 4);
    list_->SetImage(u"icon/icon_circle.png", 2);
    list_->EnableShowEdit(true);
  }
  // Two columns of three from (350,150).
  for (int i = 0; i < 6; ++i) {
    const int left = 350 + 120 * (i % 2);
    const int top = 150 + 45 * (i / 2);
    buttons_[i] = PageControls::Button(page, MacroPageId::kNew + static_cast<std::uint32_t>(i),
                                       Rect{left, top, left + 110, top + 38}, kButtonTexts[i]);
  }
}

void MacroList::Fill() {
  remembered_ = 0;
  if (list_ == nullptr) return;
  list_->DeleteAllItems();
  std::vector<MacroRecord> macros;
  host_.Store().ListMacros(macros);
  for (const MacroRecord& macro : macros) list_->AddString(KeyLabels::MacroName(macro.name), macro.macroId, -1);
  if (list_->GetItemCount() == 0) return;
  list_->SetCurSel(0);
  page_.ShowMacro(list_->GetItemData(0));
}

void MacroList::RefreshTexts() {
  if (title_ != nullptr) title_->SetTitle(Text(300));
  for (int i = 0; i < 6; ++i) {
    if (buttons_[i] != nullptr) buttons_[i]->SetTitle(Text(kButtonTexts[i]));
  }
  if (list_ == nullptr) return;
  for (int i = 0; i < list_->GetItemCount(); ++i) RestoreStoredName(i, list_->GetItemData(i));
}

void MacroList::RestoreStoredName(int index, int macroId) {
  MacroRecord macro;
  if (host_.Store().ReadMacro(macroId, macro)) list_->ModifyItemString(index, KeyLabels::MacroName(macro.name));
}

int MacroList::SelectedMacro() const {
  if (list_ == nullptr || list_->GetCurSel() < 0) return 0;
  return list_->GetCurData();
}

// "<base> n" with the smallest n from 1 that no item shows yet.
std::u16string MacroList::FreeName(const std::u16string& base) const {
  std::u16string name;
  for (int n = 1; n <= kHighestNameNumber; ++n) {
    name = base + u" " + ToUtf16(std::to_string(n));
    if (list_->FindString(name) < 0) break;
  }
  return name;
}

LRESULT MacroList::NewMacro() {
  if (list_ == nullptr) return 0;
  const std::u16string name = FreeName(Text(kMacroWord));
  const int id = host_.Store().AddMacro(name);
  if (id <= 0) return 0;
  list_->SetCurSel(list_->AddString(name, id, -1));
  page_.ShowMacro(id);
  return 1;
}

LRESULT MacroList::DeleteSelected() {
  const int id = SelectedMacro();
  if (id <= 0 || !host_.Store().DeleteMacro(id)) return 0;
  const int index = list_->GetCurSel();
  list_->DeleteItem(index);
  if (remembered_ == id) remembered_ = 0;
  if (list_->GetItemCount() > 0) list_->SetCurSel(index > 0 ? index - 1 : 0);
  page_.ShowNoMacro();
  // The keys that played it lost their assignment with it.
  host_.ShowKeyAssignments();
  host_.ProgramKeyFilter();
  if (list_->GetCurSel() >= 0) page_.ShowMacro(list_->GetCurData());
  return 1;
}

LRESULT MacroList::CopySelected() {
  const int id = SelectedMacro();
  if (id <= 0) return 0;
  remembered_ = id;
  return CopyRemembered();
}

LRESULT MacroList::CopyRemembered() {
  MacroRecord macro;
  if (remembered_ <= 0 || list_ == nullptr || !host_.Store().ReadMacro(remembered_, macro)) return 0;
  const std::u16string name = FreeName(KeyLabels::MacroName(macro.name) + u" -");
  const int id = host_.Store().CopyMacro(remembered_, name);
  if (id <= 0) return 0;
  list_->AddString(name, id, -1);
  return 1;
}

LRESULT MacroList::OpenMenu() {
  if (remembered_ <= 0) return 0;
  Point cursor;
  GetCursorPos(cursor);
  auto* menu = new MenuWnd(nullptr);  // deletes itself when its window goes
  if (menu->Create(host_.Window(), cursor, MacroPageMessage::kMenu) != 1) return 0;
  menu->AddMenu(Text(32), static_cast<std::uint32_t>(MacroMenuItem::kPasteCopy), u"", 0, 0);
  menu->SetMenuPoint();
  return 1;
}

LRESULT MacroList::StartRename() {
  if (SelectedMacro() <= 0) return 0;
  list_->ShowEdit();
  list_->UpdateControl(CacheReset::Reset);
  if (PaintManager* manager = list_->GetManager()) manager->SetFocusControl(list_);
  return 1;
}

LRESULT MacroList::EndRename() {
  const int index = list_ != nullptr ? list_->GetCurSel() : -1;
  if (index < 0) return 0;
  const std::u16string name = list_->GetItemText(index);
  const int id = list_->GetItemData(index);
  if (host_.ContainsForbiddenWord(name)) {
    host_.ShowMessage(Text(621), Text(33));
  } else if (name.empty()) {
    host_.ShowMessage(Text(330), Text(33));
  } else if (host_.Store().RenameMacro(id, name)) {
    return 1;
  }
  // The list keeps what the store holds.
  RestoreStoredName(index, id);
  return 0;
}

LRESULT MacroList::Import() {
  FileChooserRequest request;
  request.mode = FileChooserMode::Open;
  request.title = Text(26);
  request.filters = {FileFilter{u"Macros (*.xml)", {u"*.xml"}}};
  request.defaultExtension = u"xml";
  request.owner = host_.Window();
  host_.AskFile(std::move(request), [this](const FileChooserAnswer& answer) {
    if (answer.outcome == FileChooserOutcome::Chosen) ImportFile(answer.path);
  });
  return 1;
}

bool MacroList::ImportFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  ExchangeFiles files(host_.Store());
  if (files.ImportMacro(path, *this) > 0) return true;
  host_.ShowMessage(Text(kImportFailedText), Text(26));
  return false;
}

void MacroList::MacroImported(const std::u16string& name, int macroId, bool) {
  if (list_ == nullptr) return;
  list_->AddString(KeyLabels::MacroName(name), macroId, -1);
  if (list_->GetCurSel() < 0) {
    list_->SetCurSel(list_->GetItemCount() - 1);
    page_.ShowMacro(macroId);
  }
}

void MacroList::ProfileImported(const std::u16string&, int) {}

LRESULT MacroList::Export() {
  const int id = SelectedMacro();
  if (id <= 0) {
    host_.ShowSystemMessage(Text(540), Text(541));
    return 0;
  }
  FileChooserRequest request;
  request.mode = FileChooserMode::Save;
  request.title = Text(27);
  request.filters = {FileFilter{u"Macro (*.xml)", {u"*.xml"}}};
  request.defaultExtension = u"xml";
  request.suggestedName = list_->GetItemText(list_->GetCurSel()) + u".xml";
  request.owner = host_.Window();
  host_.AskFile(std::move(request), [this, id](const FileChooserAnswer& answer) {
    if (answer.outcome == FileChooserOutcome::Chosen) ExportFile(id, answer.path);
  });
  return 1;
}

bool MacroList::ExportFile(int macroId, const std::string& path) {
  // Written beside the target and moved over it, so a failed write leaves no half-written file.
  const std::string partial = path + ".partial";
  ExchangeFiles files(host_.Store());
  std::error_code error;
  const bool written = files.ExportMacro(macroId, partial);
  if (written) std::filesystem::rename(partial, path, error);
  if (!written || error) {
    std::filesystem::remove(partial, error);
    host_.ShowMessage(Text(kExportFailedText), Text(27));
    return false;
  }
  return true;
}

void MacroList::SetEnabled(bool enabled) {
  if (list_ != nullptr) list_->SetEnabled(enabled);
  for (MButton* button : buttons_) {
    if (button != nullptr) button->SetEnabled(enabled);
  }
}

void MacroList::SetEditing(bool enabled) {
  // Delete, copy, export and rename need a macro; new and import never do.
  for (int i : {1, 2, 4, 5}) {
    if (buttons_[i] != nullptr) buttons_[i]->SetEnabled(enabled);
  }
}

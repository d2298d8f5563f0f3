#include "mainwindow/keypage/CustomKeyDlg.h"

#include <string>
#include <utility>
#include <vector>

#include "device/KeyCodes.h"
#include "mainwindow/keypage/KeyLabels.h"
#include "mainwindow/keypage/KeyPageHost.h"
#include "store/ProfileStore.h"
#include "zephui/CArea.h"
#include "zephui/CCheckButton.h"
#include "zephui/CImageButton.h"
#include "zephui/ControlTypes.h"
#include "zephui/MButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MEdit.h"
#include "zephui/MText.h"
#include "zephui/MessageCodes.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr std::uint32_t kStyle = 0x96020000;  // popup, visible, clipping, minimise box
constexpr GdiColor kHeaderColour{0x78500C};
constexpr int kSwitchProfileText = 214;
constexpr int kPressKeyText = 215;
constexpr int kAddressText = 216;
constexpr int kPasteText = 217;
constexpr int kProgramText = 219;

// The kinds of the dialog and the text that names each.
struct KindName {
  AssignmentType kind;
  int text;
};
constexpr KindName kFurtherKinds[] = {{AssignmentType::Key, 205},           {AssignmentType::MouseFunction, 207},
                                      {AssignmentType::FunctionGroup, 208}, {AssignmentType::OpenProgram, 210},
                                      {AssignmentType::OpenWebAddress, 211}, {AssignmentType::TypeText, 212},
                                      {AssignmentType::SwitchProfile, kSwitchProfileText}};

bool Is(int kind, AssignmentType type) { return IsType(kind, type); }

bool UsesField(int kind) {
  return Is(kind, AssignmentType::Key) || Is(kind, AssignmentType::OpenProgram) ||
         Is(kind, AssignmentType::OpenWebAddress) || Is(kind, AssignmentType::TypeText);
}

// The keys a combination is captured without: they are the modifiers' own keys.
bool IsModifierKey(int vk) { return vk == 16 || vk == 17 || vk == 18 || (vk >= 160 && vk <= 165); }

}  // namespace

CustomKeyDlg::CustomKeyDlg(KeyPageHost& host, int keyCode, std::u16string keyName, int profileId, int kind)
    : host_(host),
      keyCode_(keyCode),
      keyName_(std::move(keyName)),
      profileId_(profileId),
      kind_(kind),
      further_(!Is(kind, AssignmentType::Macro) && !Is(kind, AssignmentType::Shortcut)),
      alive_(std::make_shared<bool>(true)) {}

CustomKeyDlg::~CustomKeyDlg() { *alive_ = false; }

int CustomKeyDlg::Run(HWND owner) {
  if (Create(owner, u"CustomKeyDlg", kStyle, 0, Rect{0, 0, kWidth, kHeight}) == nullptr) return 0;
  CenterWindow(owner);
  return static_cast<int>(ShowModal(5));
}

int CustomKeyDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  SetUpKind();
  return 1;
}

void CustomKeyDlg::UISize(const Rect&) {}

void CustomKeyDlg::InitUI(const Rect& clientRect) {
  BuildHeader(clientRect.Width());
  BuildChoices();
  auto* ok = dynamic_cast<MButton*>(CreateControl(u"MButton", CustomKeyId::kOk,
                                                  Rect{kWidth - 170, kHeight - 50, kWidth - 50, kHeight - 12},
                                                  KeyLabels::Text(22), true, true));
  if (ok != nullptr) {
    ok->SetImage(u"btn_apply.png", 4);
    ok->SetTextColor(ArgbColor(0xFFFFFFFF));
  }
}

void CustomKeyDlg::BuildHeader(int w) {
  if (auto* bar = dynamic_cast<CArea*>(CreateControl(u"CArea", 30, Rect{1, 1, w - 1, 51}, u"", true, true))) {
    bar->SetTransparent(50, 50, kHeaderColour);
  }
  const int c = w / 2;
  const int titleText = Is(kind_, AssignmentType::Macro) ? 206 : 209;
  if (auto* title = dynamic_cast<MText*>(CreateControl(u"MText", 31, Rect{c - 100, 1, c + 100, 51},
                                                       KeyLabels::Text(further_ ? 213 : titleText), true, true))) {
    title->SetTextColor(ArgbColor(0xFFFFFFFF));
    title->SetFont(title->GetTextFont(), 20, 1);
    title->SetAlignment(1, 4);
  }
  if (auto* close = dynamic_cast<CImageButton*>(CreateControl(u"CImageButton", CustomKeyId::kClose,
                                                              Rect{w - 50, 10, w - 20, 40}, u"", true, true))) {
    close->SetImage(u"main_sysbtn_close.png", 4);
    close->SetTooltip(KeyLabels::Text(1));
  }
  if (auto* keyBack = dynamic_cast<CArea*>(CreateControl(u"CArea", 33, Rect{50, 130, 170, 198}, u"", true, true))) {
    keyBack->SetTransparent(30, 30, kHeaderColour);
  }
  if (auto* key = dynamic_cast<MText*>(CreateControl(u"MText", CustomKeyId::kKeyName, Rect{50, 130, 170, 198},
                                                     keyName_, true, true))) {
    key->SetTextColor(ArgbColor(0xFFFFFFFF));
    key->SetFont(key->GetTextFont(), 16, 1);
    key->SetAlignment(1, 4);
  }
  if (auto* label = dynamic_cast<MText*>(CreateControl(u"MText", 35, Rect{200, 130, 320, 160}, KeyLabels::Text(204),
                                                       true, true))) {
    label->SetTextColor(ArgbColor(0xFFFFFFFF));
  }
}

void CustomKeyDlg::BuildChoices() {
  kinds_ = dynamic_cast<MComboBox*>(CreateControl(u"MComboBox", CustomKeyId::kKinds, Rect{200, 160, 400, 198}, u"",
                                                  true, true));
  choices_ = dynamic_cast<MComboBox*>(CreateControl(u"MComboBox", CustomKeyId::kChoices, Rect{410, 160, 610, 198},
                                                    u"", false, true));
  for (MComboBox* combo : {kinds_, choices_}) {
    if (combo == nullptr) continue;
    combo->SetImage(u"img_combobox.png", 4);
    combo->SetTextColor(ArgbColor(0xFFFFFFFF));
  }
  field_ = dynamic_cast<MEdit*>(CreateControl(u"MEdit", CustomKeyId::kField, Rect{410, 160, 610, 198}, u"", false,
                                              true));
  if (field_ != nullptr) {
    field_->SetImage(u"img_edit.png", 4);
    field_->SetTextColor(ArgbColor(0xFFFFFFFF));
  }
  const char16_t* names[] = {u"Shift", u"Ctrl", u"Win", u"Alt"};
  for (int i = 0; i < 4; ++i) {
    const int left = 410 + 100 * (i % 2);
    const int top = 200 + 36 * (i / 2);
    modifiers_[i] = dynamic_cast<CCheckButton*>(CreateControl(u"CCheckButton", CustomKeyId::kShift + i,
                                                              Rect{left, top, left + 100, top + 38}, names[i], false,
                                                              true));
    if (modifiers_[i] != nullptr) {
      modifiers_[i]->SetImage(u"btn_checkbox.png", 8);
      modifiers_[i]->SetTextColor(ArgbColor(0xFFFFFFFF));
    }
  }
  openFile_ = dynamic_cast<CImageButton*>(CreateControl(u"CImageButton", CustomKeyId::kOpenFile,
                                                        Rect{620, 170, 640, 190}, u"", false, true));
  if (openFile_ != nullptr) {
    openFile_->SetImage(u"btn_openfile.png", 4);
    openFile_->SetTooltip(KeyLabels::Text(218));
  }
  FillKinds();
}

void CustomKeyDlg::FillKinds() {
  if (kinds_ == nullptr) return;
  if (further_) {
    for (const KindName& entry : kFurtherKinds) {
      kinds_->AddItem(KeyLabels::Text(entry.text), static_cast<int>(entry.kind), u"", ArgbColor(0xFFFFFFFF));
    }
  } else {
    kinds_->AddItem(KeyLabels::Text(Is(kind_, AssignmentType::Macro) ? 206 : 209), kind_, u"", ArgbColor(0xFFFFFFFF));
  }
  kinds_->SelectData(kind_);
}

void CustomKeyDlg::ChooseKind(int kind) {
  if (kinds_ != nullptr && kinds_->SelectData(kind) == 0) return;
  kind_ = kind;
  SetUpKind();
}

void CustomKeyDlg::SetUpKind() {
  const bool combination = Is(kind_, AssignmentType::Key);
  for (CCheckButton* box : modifiers_) {
    if (box != nullptr) box->SetVisible(combination);
  }
  if (openFile_ != nullptr) openFile_->SetVisible(Is(kind_, AssignmentType::OpenProgram));
  if (field_ != nullptr) {
    field_->SetVisible(UsesField(kind_));
    field_->SetEditText(u"");
    // A combination is typed on the dialog itself, so the field only shows it.
    field_->SetRresponse(!combination);
    const int tip = combination ? kPressKeyText
                    : Is(kind_, AssignmentType::OpenProgram) ? kProgramText
                    : Is(kind_, AssignmentType::OpenWebAddress) ? kAddressText
                                                                 : kPasteText;
    field_->SetTipInfo(KeyLabels::Text(tip));
  }
  capturedKey_ = 0;
  capturedName_.clear();
  if (choices_ != nullptr) choices_->SetVisible(!UsesField(kind_));
  FillChoices();
}

void CustomKeyDlg::AddChoices(std::initializer_list<std::pair<int, int>> textsAndValues) {
  for (const auto& [text, value] : textsAndValues) {
    choices_->AddItem(KeyLabels::Text(text), value, u"", ArgbColor(0xFFFFFFFF));
  }
}

void CustomKeyDlg::FillChoices() {
  if (choices_ == nullptr) return;
  choices_->DelAllItems();
  switch (static_cast<AssignmentType>(kind_)) {
    case AssignmentType::Macro: FillMacros(); break;
    case AssignmentType::Shortcut:
      for (int i = 1; i <= 15; ++i) choices_->AddItem(KeyLabels::Text(700 + i), i, u"", ArgbColor(0xFFFFFFFF));
      break;
    case AssignmentType::MouseFunction: AddChoices({{220, 1}, {222, 2}, {223, 3}, {227, 7}, {228, 8}}); break;
    case AssignmentType::FunctionGroup:
      AddChoices({{230, 1}, {231, 2}, {232, 3}, {233, 4}, {234, 5}, {235, 6}, {236, 7}});
      break;
    case AssignmentType::SwitchProfile: FillProfiles(); break;
    default: break;
  }
  if (choices_->GetCount() > 0) choices_->SetCurSel(0);
}

void CustomKeyDlg::FillMacros() {
  std::vector<MacroRecord> macros;
  host_.Store().ListMacros(macros);
  for (const MacroRecord& macro : macros) {
    choices_->AddItem(KeyLabels::MacroName(macro.name), macro.macroId, u"", ArgbColor(0xFFFFFFFF));
  }
}

void CustomKeyDlg::FillProfiles() {
  std::vector<ProfileRecord> profiles;
  host_.Store().ListProfiles(profiles);
  for (const ProfileRecord& profile : profiles) {
    choices_->AddItem(KeyLabels::ProfileName(profile.name), profile.id, u"", ArgbColor(0xFFFFFFFF));
  }
}

LRESULT CustomKeyDlg::OnMessage(std::uint32_t controlId, UINT msg, WPARAM, LPARAM) {
  if (msg != NOTIFY_CLICKED) return 0;
  switch (controlId) {
    case CustomKeyId::kClose: DoCancel(); return 1;
    case CustomKeyId::kKinds:
      if (kinds_ != nullptr) kind_ = kinds_->GetCurData();
      SetUpKind();
      return 1;
    case CustomKeyId::kOpenFile: AskProgram(); return 1;
    case CustomKeyId::kOk:
      if (Commit()) DoOK();
      return 1;
    default: return 0;
  }
}

LRESULT CustomKeyDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && Is(kind_, AssignmentType::Key)) {
    const auto flags = static_cast<std::uint32_t>(lParam);
    const int scan = static_cast<int>(((flags >> 16) & 0xFF) | ((flags >> 24) & 1) << 8);
    CaptureKey(static_cast<int>(wParam), scan);
    return 0;
  }
  return MDialog::OnWindowMessage(msg, wParam, lParam);
}

void CustomKeyDlg::CaptureKey(int virtualKey, int scanCode) {
  if (IsModifierKey(virtualKey) || KeyCodes::toOutputCode(virtualKey) == 0) return;
  capturedKey_ = virtualKey;
  capturedName_ = KeyCodes::keyDisplayName(virtualKey, scanCode);
  if (field_ != nullptr) field_->SetEditText(capturedName_);
}

void CustomKeyDlg::AskProgram() {
  FileChooserRequest request;
  request.mode = FileChooserMode::Open;
  request.title = KeyLabels::Text(218);
  request.filters = {FileFilter{u"Application (*)", {u"*"}}};
  request.owner = hwnd_;
  std::weak_ptr<bool> alive = alive_;
  host_.AskFile(std::move(request), [this, alive](const FileChooserAnswer& answer) {
    const auto open = alive.lock();
    if (open == nullptr || !*open || answer.outcome != FileChooserOutcome::Chosen) return;
    if (field_ != nullptr) field_->SetEditText(ToUtf16(answer.path));
  });
}

int CustomKeyDlg::ModifierBits() const {
  constexpr int kBits[] = {0x02, 0x01, 0x08, 0x04};  // Shift, Ctrl, Win, Alt
  int bits = 0;
  for (int i = 0; i < 4; ++i) {
    if (modifiers_[i] != nullptr && modifiers_[i]->GetCheck() != 0) bits |= kBits[i];
  }
  return bits;
}

bool CustomKeyDlg::CommitCombination(KeyAssignmentRecord& record) {
  if (capturedKey_ == 0) return false;
  record.macroValue = KeyCodes::toOutputCode(capturedKey_);
  record.macroValue2 = ModifierBits();
  record.description = KeyCodes::keyComboDescription(record.macroValue2, capturedName_);
  return true;
}

bool CustomKeyDlg::CommitChoice(KeyAssignmentRecord& record) {
  if (choices_ == nullptr || choices_->GetCurSel() < 0) return false;
  record.macroValue = choices_->GetCurData();
  record.description = choices_->GetItemText(choices_->GetCurSel());
  if (Is(kind_, AssignmentType::Macro) && host_.Store().CountKeyEvents(record.macroValue) <= 0) {
    host_.ShowMessage(KeyLabels::Text(293), KeyLabels::Text(206), BoxStyle::OneButton);
    return false;
  }
  if (!Is(kind_, AssignmentType::SwitchProfile)) return true;
  // The profile to switch to is kept as extra data; the row holds its id.
  OtherDataRecord data{record.description, ToUtf16(std::to_string(record.macroValue)), kind_};
  record.macroValue = host_.Store().AddOtherData(data);
  return record.macroValue > 0;
}

bool CustomKeyDlg::CommitText(KeyAssignmentRecord& record) {
  const std::u16string text = field_ != nullptr ? field_->GetEditText() : u"";
  if (text.empty()) return false;
  OtherDataRecord data;
  data.type = kind_;
  if (Is(kind_, AssignmentType::OpenProgram)) data.param = text;
  else data.description = text;
  record.macroValue = host_.Store().AddOtherData(data);
  record.description = text;
  return record.macroValue > 0;
}

bool CustomKeyDlg::Commit() {
  KeyAssignmentRecord record;
  record.profile = profileId_;
  record.keyCode = keyCode_;
  record.macroType = kind_;
  const bool complete = Is(kind_, AssignmentType::Key) ? CommitCombination(record)
                        : UsesField(kind_)             ? CommitText(record)
                                                       : CommitChoice(record);
  if (!complete) return false;
  host_.Store().SaveKeyAssignment(record);
  return true;
}

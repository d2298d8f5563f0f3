#include "mainwindow/macropage/MacroPage.h"

#include <vector>

#include "mainwindow/macropage/EventComposer.h"
#include "mainwindow/macropage/MacroList.h"
#include "mainwindow/macropage/MacroPageHost.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/MacroRecording.h"
#include "mainwindow/macropage/PageControls.h"
#include "mainwindow/macropage/PlayOptions.h"
#include "mainwindow/macropage/RecordEditor.h"
#include "store/ProfileStore.h"
#include "store/Records.h"
#include "zephui/CRecordList.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/MButton.h"
#include "zephui/MDialog.h"
#include "zephui/MPanel.h"
#include "zephui/MessageCodes.h"

using namespace ZephUI;

MacroPage::MacroPage(MacroPageHost& host)
    : host_(host),
      list_(std::make_unique<MacroList>(host, *this)),
      options_(std::make_unique<PlayOptions>()),
      editor_(std::make_unique<RecordEditor>()),
      composer_(std::make_unique<EventComposer>()),
      recording_(std::make_unique<MacroRecording>(host)) {}

MacroPage::~MacroPage() = default;

void MacroPage::Build(MDialog& dialog, const Rect& client) {
  auto* page = dynamic_cast<MPanel*>(dialog.GetControl(MacroPageId::kPage));
  if (page == nullptr) return;
  list_->Build(*page, client);
  options_->Build(*page);
  editor_->Build(*page, client);
  composer_->Build(*page, client);
  const int w = client.Width();
  const int h = client.Height();
  start_ = PageControls::Button(*page, MacroPageId::kStartRecording, Rect{w - 180, h - 60, w - 1, h - 22}, 321);
  stop_ = PageControls::Button(*page, MacroPageId::kStopRecording, Rect{w - 180, h - 60, w - 1, h - 22}, 322);
  save_ = PageControls::Button(*page, MacroPageId::kSave, Rect{w - 370, h - 60, w - 190, h - 22}, 329);
  ShowRecordingButtons(false);
  SetEditing(false);
}

void MacroPage::Load() {
  StopRecording();
  ShowNoMacro();
  list_->Fill();
}

void MacroPage::RefreshTexts() {
  list_->RefreshTexts();
  options_->RefreshTexts();
  editor_->RefreshTexts();
  composer_->RefreshTexts();
  if (start_ != nullptr) start_->SetTitle(PageControls::Text(321));
  if (stop_ != nullptr) stop_->SetTitle(PageControls::Text(322));
  if (save_ != nullptr) save_->SetTitle(PageControls::Text(329));
}

void MacroPage::ShowMacro(int macroId) {
  list_->ForgetRemembered();
  editor_->Clear();
  composer_->ShowDefaults();
  options_->ShowDefaults();
  MacroRecord macro;
  if (macroId <= 0 || !host_.Store().ReadMacro(macroId, macro)) {
    SetEditing(false);
    return;
  }
  SetEditing(true);
  options_->Show(macro);
  std::vector<StepRecord> steps;
  host_.Store().ListSteps(macroId, steps);
  editor_->Show(steps);
}

void MacroPage::ShowNoMacro() {
  editor_->Clear();
  composer_->ShowDefaults();
  options_->ShowDefaults();
  SetEditing(false);
}

void MacroPage::SetEditing(bool enabled) {
  options_->SetEnabled(enabled);
  editor_->SetEnabled(enabled);
  composer_->SetEnabled(enabled);
  list_->SetEditing(enabled);
  for (MButton* button : {start_, save_}) {
    if (button != nullptr) button->SetEnabled(enabled);
  }
}

void MacroPage::ShowIdle() {
  ShowRecordingButtons(false);
  list_->SetEnabled(true);
  SetEditing(true);
  host_.SetTabStripInput(TabStripInput::Enabled);
}

void MacroPage::ShowRecordingButtons(bool recording) {
  if (start_ != nullptr) start_->SetVisible(!recording);
  if (stop_ != nullptr) stop_->SetVisible(recording);
}

CaptureMode MacroPage::Mode() const {
  if (recording_->Active()) return CaptureMode::Recording;
  return composer_->Capturing() ? CaptureMode::KeyCapture : CaptureMode::Idle;
}

std::optional<LRESULT> MacroPage::OnNotify(std::uint32_t controlId, UINT msg, WPARAM, LPARAM) {
  if (!MacroPageId::IsPageControl(controlId)) return std::nullopt;
  if (recording_->Active()) return OnRecordingNotice(controlId, msg);
  if (controlId != MacroPageId::kKeyField) composer_->EndCapture();
  switch (controlId) {
    case MacroPageId::kList:
      if (msg == NOTIFY_PRESSED) return OnListPressed();
      if (msg == NOTIFY_RCLICK) return list_->OpenMenu();
      if (msg == NOTIFY_EDIT_END) return list_->EndRename();
      return 1;
    case MacroPageId::kRepeat:
    case MacroPageId::kFixedDelayField: return msg == NOTIFY_EDIT_END ? SavePlayOptions() : 1;
    case MacroPageId::kRecords: return msg == NOTIFY_EDIT_END ? EditSteps(true) : 1;
    case MacroPageId::kKeyField:
      if (msg == NOTIFY_PRESSED) composer_->BeginCapture();
      return 1;
    default: return msg == NOTIFY_CLICKED ? OnClicked(controlId) : 1;
  }
}

// While recording only the stop button acts; everything else on the page is still.
std::optional<LRESULT> MacroPage::OnRecordingNotice(std::uint32_t controlId, UINT msg) {
  if (controlId == MacroPageId::kStopRecording && msg == NOTIFY_CLICKED) StopRecording();
  return 1;
}

LRESULT MacroPage::OnClicked(std::uint32_t controlId) {
  switch (controlId) {
    case MacroPageId::kNew: return list_->NewMacro();
    case MacroPageId::kDelete: return list_->DeleteSelected();
    case MacroPageId::kCopy: return list_->CopySelected();
    case MacroPageId::kImport: return list_->Import();
    case MacroPageId::kExport: return list_->Export();
    case MacroPageId::kRename: return list_->StartRename();
    case MacroPageId::kRecordedDelays:
    case MacroPageId::kNoDelays:
    case MacroPageId::kFixedDelay:
      options_->OnDelayChoice(controlId);
      return SavePlayOptions();
    case MacroPageId::kLoopCount:
    case MacroPageId::kLoopHeld:
    case MacroPageId::kLoopToggle: return SavePlayOptions();
    case MacroPageId::kStartRecording: return StartRecording() ? 1 : 0;
    case MacroPageId::kRecordUp: return EditSteps(editor_->MoveUp());
    case MacroPageId::kRecordDown: return EditSteps(editor_->MoveDown());
    case MacroPageId::kRecordDelete: return EditSteps(editor_->DeleteSelected());
    case MacroPageId::kSave: return SaveSteps();
    case MacroPageId::kKeyEvent:
    case MacroPageId::kDelayEvent: composer_->OnEventKind(controlId); return 1;
    case MacroPageId::kInsert: return InsertComposed();
    default: return 1;
  }
}

LRESULT MacroPage::OnListPressed() {
  const int id = list_->SelectedMacro();
  if (id <= 0) {
    ShowNoMacro();
    return 0;
  }
  ShowMacro(id);
  return 1;
}

LRESULT MacroPage::OnMenu(int item) {
  if (recording_->Active()) return 0;
  switch (item) {
    case MacroMenuItem::kNew: return list_->NewMacro();
    case MacroMenuItem::kDelete: return list_->DeleteSelected();
    case MacroMenuItem::kCopy: return list_->CopySelected();
    case MacroMenuItem::kImport: return list_->Import();
    case MacroMenuItem::kExport: return list_->Export();
    case MacroMenuItem::kRename: return list_->StartRename();
    case MacroMenuItem::kPasteCopy: return list_->CopyRemembered();
    default: return 0;
  }
}

std::optional<LRESULT> MacroPage::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case MacroPageMessage::kHookKey: return recording_->OnHookKey(wParam, lParam);
    case MacroPageMessage::kRecordsWaiting:
      if (editor_->List() != nullptr) recording_->ShowWaiting(*editor_->List());
      return 0;
    case MacroPageMessage::kMenu: return OnMenu(static_cast<int>(lParam));
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (!composer_->Capturing()) return std::nullopt;
      const auto flags = static_cast<std::uint32_t>(lParam);
      const int scan = static_cast<int>(((flags >> 16) & 0xFF) | ((flags >> 24) & 1) << 8);
      composer_->OnKey(static_cast<int>(wParam), scan);
      return 0;
    }
    default: return std::nullopt;
  }
}

LRESULT MacroPage::EditSteps(bool changed) {
  if (!changed) return 0;
  editor_->MarkChanged(true);
  return SaveSteps();
}

LRESULT MacroPage::InsertComposed() { return EditSteps(composer_->Insert(*editor_)); }

LRESULT MacroPage::SavePlayOptions() {
  const int id = list_->SelectedMacro();
  MacroRecord macro;
  if (id <= 0 || !host_.Store().ReadMacro(id, macro)) return 0;
  options_->ReadInto(macro);
  if (!host_.Store().UpdateMacroSettings(macro)) return 0;
  host_.ProgramKeyFilter();
  return 1;
}

LRESULT MacroPage::SaveSteps() {
  const int id = list_->SelectedMacro();
  if (id <= 0) return 0;
  if (!host_.Store().ReplaceSteps(id, editor_->Steps(id))) return 0;
  editor_->MarkChanged(false);
  host_.ProgramKeyFilter();
  return 1;
}

bool MacroPage::StartRecording() {
  const int id = list_->SelectedMacro();
  if (id <= 0 || recording_->Active()) return false;
  composer_->EndCapture();
  ShowRecordingButtons(true);
  SetEditing(false);
  list_->SetEnabled(false);
  host_.SetTabStripInput(TabStripInput::Disabled);
  if (recording_->Start(id, options_->ChosenDelayMode(), options_->FixedDelay())) return true;
  ShowIdle();
  return false;
}

void MacroPage::StopRecording() {
  if (!recording_->Active()) return;
  if (editor_->List() != nullptr) recording_->Stop(*editor_->List());
  ShowIdle();
  editor_->MarkChanged(true);
  SavePlayOptions();
  SaveSteps();
}

#include "mainwindow/macropage/WindowMacroHost.h"

#include <utility>

#include "device/Clock.h"
#include "macros/recorder/EvdevKeyboardHook.h"
#include "macros/filter/UdevEvdevDiscovery.h"
#include "mainwindow/CUIMessageBox.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/macropage/GrabKeyboardHook.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "zephui/Backend.h"
#include "zephui/MMessageBox.h"
#include "zephui/MTabCtrl.h"

using namespace ZephUI;

WindowMacroHost::WindowMacroHost(KeyboardDlg& window) : window_(window) {}

WindowMacroHost::~WindowMacroHost() = default;

ProfileStore& WindowMacroHost::Store() { return window_.Services().Store(); }

void WindowMacroHost::ProgramKeyFilter() { window_.Services().ProgramKeyFilter(window_.CurrentProfileId(), 0); }

void WindowMacroHost::ShowKeyAssignments() {
  if (window_.KeysPage() != nullptr) window_.KeysPage()->ShowAssignments(window_.CurrentProfileId());
}

void WindowMacroHost::ShowMessage(const std::u16string& text, const std::u16string& title) {
  CUIMessageBox::Show(text, window_.GetSafeHwnd(), title, CUIMessageBox::kOneButton);
}

void WindowMacroHost::ShowSystemMessage(const std::u16string& text, const std::u16string& caption) {
  MMessageBox::Show(window_.GetSafeHwnd(), text, caption, MB_OK);
}

bool WindowMacroHost::ContainsForbiddenWord(std::u16string_view name) const {
  return window_.ContainsForbiddenWord(name);
}

void WindowMacroHost::AskFile(FileChooserRequest request, FileChooser::AnswerHandler onAnswer) {
  window_.AskFile(std::move(request), std::move(onAnswer));
}

HWND WindowMacroHost::Window() const { return window_.GetSafeHwnd(); }

void WindowMacroHost::SetTabStripInput(TabStripInput input) {
  if (MTabCtrl* tabs = window_.Frame().TabStrip()) tabs->SetEnabled(input == TabStripInput::Enabled);
}

std::unique_ptr<KeyboardHook> WindowMacroHost::MakeRecordingHook() {
  // The X server hands every keyboard's keys to a grabbing client without any device permission;
  // only without it does recording need the event devices themselves.
  if (ActiveBackend() == BackendKind::X11) {
    return std::make_unique<GrabKeyboardHook>(window_.GetSafeHwnd(), MacroPageMessage::kHookKey);
  }
  if (keyboards_ == nullptr) keyboards_ = std::make_unique<UdevEvdevDiscovery>();
  return std::make_unique<EvdevKeyboardHook>(*keyboards_, SteadyClock::Instance());
}

#include "mainwindow/keypage/WindowPageHost.h"

#include <utility>

#include "mainwindow/CUIMessageBox.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/keypage/CustomKeyDlg.h"
#include "zephui/MMessageBox.h"

using namespace ZephUI;

WindowPageHost::WindowPageHost(KeyboardDlg& window) : window_(window) {}

WindowPageHost::~WindowPageHost() = default;

ProfileStore& WindowPageHost::Store() { return window_.Services().Store(); }

void WindowPageHost::ProgramKeyFilter(int profile) { window_.Services().ProgramKeyFilter(profile, 0); }

void WindowPageHost::QueueApplyKeysAndWait() {
  window_.QueueJob(JobCode::JOB_APPLY_KEYS);
  window_.ShowWaitDialog();
}

int WindowPageHost::ShowMessage(const std::u16string& text, const std::u16string& title, BoxStyle style) {
  return CUIMessageBox::Show(text, window_.GetSafeHwnd(), title,
                             style == BoxStyle::TwoButtons ? CUIMessageBox::kTwoButtons : CUIMessageBox::kOneButton);
}

void WindowPageHost::ShowSystemMessage(const std::u16string& text, const std::u16string& caption) {
  MMessageBox::Show(window_.GetSafeHwnd(), text, caption, MB_OK);
}

bool WindowPageHost::ContainsForbiddenWord(std::u16string_view name) const {
  return window_.ContainsForbiddenWord(name);
}

int WindowPageHost::CurrentProfile() const { return window_.CurrentProfileId(); }

void WindowPageHost::SetCurrentProfile(int profileId) { window_.SetCurrentProfileId(profileId); }

int WindowPageHost::RunCustomKeyDialog(int keyCode, const std::u16string& keyName, int profileId, int kind) {
  CustomKeyDlg dialog(*this, keyCode, keyName, profileId, kind);
  return dialog.Run(window_.GetSafeHwnd());
}

void WindowPageHost::AskFile(FileChooserRequest request, FileChooser::AnswerHandler onAnswer) {
  window_.AskFile(std::move(request), std::move(onAnswer));
}

HWND WindowPageHost::Window() const { return window_.GetSafeHwnd(); }

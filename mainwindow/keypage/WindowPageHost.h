// The main window's side of the key page: the services' store and key filter,
// the job queue and wait dialog, the program's message boxes and the file
// chooser of the window's thread.
#pragma once

#include <memory>

#include "mainwindow/keypage/KeyPageHost.h"

class KeyboardDlg;

class WindowPageHost : public KeyPageHost {
 public:
  /// Serves the page of `window`, which must outlive it.
  explicit WindowPageHost(KeyboardDlg& window);
  ~WindowPageHost() override;

  ProfileStore& Store() override;
  void ProgramKeyFilter(int profile) override;
  void QueueApplyKeysAndWait() override;
  int ShowMessage(const std::u16string& text, const std::u16string& title, BoxStyle style) override;
  void ShowSystemMessage(const std::u16string& text, const std::u16string& caption) override;
  bool ContainsForbiddenWord(std::u16string_view name) const override;
  int CurrentProfile() const override;
  void SetCurrentProfile(int profileId) override;
  int RunCustomKeyDialog(int keyCode, const std::u16string& keyName, int profileId, int kind) override;
  void AskFile(ZephUI::FileChooserRequest request, ZephUI::FileChooser::AnswerHandler onAnswer) override;
  ZephUI::HWND Window() const override;

 private:
  KeyboardDlg& window_;
};

// The main window's side of the settings page: message boxes, the worker,
// the language refresh, and the resets that reach the store, the key filter
// and the other pages.
#pragma once

#include "mainwindow/settingspage/SettingsPageHost.h"

class KeyboardDlg;

class WindowSettingsHost : public SettingsPageHost {
 public:
  /// The window must outlive the host.
  explicit WindowSettingsHost(KeyboardDlg& window) : window_(window) {}

  int Ask(const std::u16string& text, const std::u16string& title, BoxStyle style) override;
  void QueueJob(JobCode code, WaitDialog wait) override;
  void RefreshLanguage() override;
  std::string ProgramFolder() const override;
  int DeviceType() const override;
  bool RecreateStore() override;
  void ResetCurrentProfileKeys() override;
  void SelectFirstCustomSet() override;

 private:
  KeyboardDlg& window_;
};

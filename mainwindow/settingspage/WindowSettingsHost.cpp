#include "mainwindow/settingspage/WindowSettingsHost.h"

#include "app/Paths.h"
#include "mainwindow/CUIMessageBox.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/lightpage/LightPage.h"
#include "store/ProfileStore.h"

int WindowSettingsHost::Ask(const std::u16string& text, const std::u16string& title, BoxStyle style) {
  return CUIMessageBox::Show(text, window_.GetSafeHwnd(), title,
                             style == BoxStyle::TwoButtons ? CUIMessageBox::kTwoButtons : CUIMessageBox::kOneButton);
}

void WindowSettingsHost::QueueJob(JobCode code, WaitDialog wait) {
  window_.QueueJob(code);
  if (wait == WaitDialog::Show) window_.ShowWaitDialog();
}

void WindowSettingsHost::RefreshLanguage() { window_.RefreshLanguage(); }

std::string WindowSettingsHost::ProgramFolder() const { return window_.ProgramFolder(); }

int WindowSettingsHost::DeviceType() const { return window_.Services().DeviceType(); }

// A new empty database: the layout load opens it again and writes the default profiles and lighting.
bool WindowSettingsHost::RecreateStore() {
  KeyboardServices& services = window_.Services();
  const std::u16string name = services.Layout().deviceName;
  if (services.DeviceType() == 0 || name.empty()) return false;
  services.Store().Close();
  services.Store().DeleteDeviceDatabase(GetUserDataFolder(), name);
  services.LoadStartLayout(window_.LayoutPictures());
  services.ProgramKeyFilter(window_.CurrentProfileId(), 0);
  return true;
}

void WindowSettingsHost::ResetCurrentProfileKeys() {
  const int profile = window_.CurrentProfileId();
  window_.Services().Store().DeleteAllKeyAssignments(profile);
  if (KeyPage* keys = window_.KeysPage()) keys->ShowAssignments(profile);
  window_.Services().ProgramKeyFilter(profile, 0);
}

void WindowSettingsHost::SelectFirstCustomSet() {
  if (LightPage* lights = window_.LightsPage()) lights->SelectFirstCustomSet();
}

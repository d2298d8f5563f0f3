// The main window's reactions: the device view after a rescan, device
// notices, the tray icon and its menu, the close button, tab switches,
// special keys and the calls other threads make.
#include <string>

#include "app/LanguageText.h"
#include "app/Settings.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/CloseWindowTipDlg.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/PopupCloser.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/TextPaster.h"
#include "mainwindow/macropage/MacroPage.h"
#include "store/ProfileStore.h"
#include "store/Records.h"
#include "zephui/Cursor.h"
#include "zephui/MenuWnd.h"
#include "zephui/Message.h"
#include "zephui/Text.h"
#include "zephui/TrayIcon.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

using namespace ZephUI;

namespace {

constexpr std::uint32_t kFamilyBPages = 0x47;
constexpr int kHideMode = 1;
constexpr int kEndMode = 2;

enum SpecialKind { kStartProgram = 8, kOpenAddress = 9, kPasteText = 10, kSwitchProfile = 11 };

bool IsFamilyB(int deviceType) { return deviceType >= 201 && deviceType <= 299; }

// A web address as the special key opens it: "www." is put in front unless the text holds it already.
std::u16string WebAddress(const std::u16string& text) {
  if (text.empty() || text.find(u"www.") != std::u16string::npos) return text;
  return u"www." + text;
}

int DecimalOf(const std::u16string& text) {
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

void KeyboardDlg::RefreshAfterRescan() { SendToSelf(kMsgRefresh, 0, 0); }

void KeyboardDlg::EnableWindow(WindowInput input) {
  SendToSelf(kMsgEnable, input == WindowInput::Enabled ? 1 : 0, 0);
}

void KeyboardDlg::CloseWaitDialog() { SendToSelf(kMsgCloseWait, 0, 0); }

void KeyboardDlg::ExitProgram(int code) {
  if (hwnd_ != nullptr) PostMessage(hwnd_, kMsgExit, static_cast<WPARAM>(code), 0);
}

void KeyboardDlg::PostDownloadProgress(int state) {
  if (hwnd_ != nullptr) PostMessage(hwnd_, KbMessage::kTray, 0, state);
}

void KeyboardDlg::NoticeDeviceChange(DeviceEvent event, const std::string& interfacePath) {
  notices_.PushBack({event, interfacePath});
  if (hwnd_ != nullptr) PostMessage(hwnd_, KbMessage::kDeviceChange, static_cast<WPARAM>(event), 0);
}

void KeyboardDlg::OnDeviceChangeMessage() {
  if (auto notice = notices_.TakeFront()) services_->OnDeviceChange(notice->first, notice->second);
}

// Job 5 on the worker: the pages named by the mask. The key page is filled on the window's thread.
void KeyboardDlg::LoadPages() {
  // Only the visualiser of family A keyboards follows a chosen output.
  audioMonitors_ = services_->DeviceType() < 200 ? AudioMonitorList::Read() : AudioMonitorList::Defaults();
  SendToSelf(kMsgLoadLightPages, 0, 0);
  if ((pageMask_.load() & 0x02) != 0) SendToSelf(kMsgLoadMacroPage, 0, 0);
  if ((pageMask_.load() & 0x01) == 0) return;
  SendToSelf(kMsgLoadKeyPage, 0, 0);
  services_->ProgramKeyFilter(profileId_.load(), layer_.load());
}

void KeyboardDlg::OnRefresh() {
  CloseProgramPopups();
  const PresenceFlags presence = services_->Presence();
  if (presence.interfaces != HidInterfaces::Found) {
    frame_.ShowNoDevice();
    frame_.MarkConnected(0);
    devicePresent_ = false;
    deviceEvent_ = 0;
    return;
  }
  connectionMode_ = services_->ConnectionMode();
  const int deviceType = services_->DeviceType();
  if (IsFamilyB(deviceType)) pageMask_ = 0;
  const bool wireless = connectionMode_ == 1 || connectionMode_ == 2;
  if (wireless && presence.keyboard != KeyboardMatch::Matched) {
    frame_.ShowNoDevice();
    frame_.MarkConnected(0);
    devicePresent_ = false;
  } else {
    devicePresent_ = true;
    frame_.ShowDevicePresent();
    frame_.MarkConnected(presence.keyboard == KeyboardMatch::Matched ? deviceType : 0);
    if (IsFamilyB(deviceType)) pageMask_ = kFamilyBPages;
    services_->QueueJob(JobCode::JOB_CHECK_FIRMWARE);
    services_->QueueJob(JobCode::JOB_LOAD_PAGES);
  }
  deviceEvent_ = 0;
  SyncLiveLighting();
}

void KeyboardDlg::OnTabSwitch(int index) {
  // The strip is disabled while recording; a switch made anyway (by code) still ends it.
  if (macroPage_ != nullptr) macroPage_->StopRecording();
  frame_.ShowCaptionFor(frame_.TabIdAt(index));
  tabIndex_ = index;
  // Coming back to the lighting tab sends the chosen mode again.
  if (frame_.TabIdAt(index) == TabId::kLighting && lightPage_ != nullptr && devicePresent_) lightPage_->ChooseMode();
  SyncLiveLighting();
}

LRESULT KeyboardDlg::OnDeviceChosen() {
  frame_.ShowTabStrip();
  const int deviceType = frame_.ChosenDeviceType();
  const bool wireless = connectionMode_ == 1 || connectionMode_ == 2;
  frame_.SelectTab(IsFamilyB(deviceType) && wireless ? 3 : 1);
  return deviceType != 0 ? 1 : 0;
}

void KeyboardDlg::OnCloseButton() {
  int mode = ReadSettingInt("exit_mode");
  if (mode == 0) {
    CloseWindowTipDlg::Show(hwnd_);
    mode = ReadSettingInt("exit_mode");
  }
  if (mode == kHideMode && !TrayShown()) {
    // No tray on this desktop would bring a hidden window back: keep it on the taskbar instead.
    OnMinimize();
    return;
  }
  if (mode == kHideMode) {
    ShowWindow(SW_HIDE);
    visible_ = false;
    return;
  }
  ExitSequence(0);
}

bool KeyboardDlg::TrayShown() const { return tray_ != nullptr && tray_->Presence() != TrayPresence::None; }

void KeyboardDlg::OnTray(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_LBUTTONDBLCLK) ShowAgain();
  if (mouseMessage == WM_RBUTTONUP) ShowTrayMenu();
}

void KeyboardDlg::ShowAgain() {
  SetForegroundWindow(hwnd_);
  ShowWindow(SW_SHOWNORMAL);
  visible_ = true;
  UpdateWindow(hwnd_);
  BringWindowToTop(hwnd_);
}

void KeyboardDlg::ShowTrayMenu() {
  Point cursor;
  GetCursorPos(cursor);
  SetForegroundWindow(hwnd_);
  auto* menu = new MenuWnd(nullptr);  // deletes itself when its window goes
  if (menu->Create(hwnd_, cursor, kMsgTrayMenu) != 1) return;
  menu->AddMenu(GetLanguageText(kDialogSection, 10), static_cast<std::uint32_t>(TrayCommand::kCloseBehaviour), u"",
                0, 0);
  menu->AddMenu(GetLanguageText(kDialogSection, 11), static_cast<std::uint32_t>(TrayCommand::kExit), u"", 0, 0);
  menu->SetMenuPoint();
}

void KeyboardDlg::OnCommand(WPARAM command) {
  if (command == TrayCommand::kExit) ExitSequence(0);
  if (command != TrayCommand::kCloseBehaviour) return;
  CloseProgramPopups();
  CloseWindowTipDlg::Show(hwnd_);
  frame_.SetCloseTooltip(ReadSettingInt("exit_mode") == kEndMode ? kEndMode : kHideMode);
}

void KeyboardDlg::RunSpecialKey(int dataId) {
  OtherDataRecord record;
  if (!services_->Store().ReadOtherData(dataId, record)) return;
  switch (record.type) {
    case kStartProgram: opener_->Open(ToUtf8(record.param)); break;
    case kOpenAddress: opener_->Open(ToUtf8(WebAddress(record.description))); break;
    case kPasteText: paster_->Paste(record.description); break;
    case kSwitchProfile: ChangeProfile(DecimalOf(record.param)); break;
    default: break;
  }
}

#include "mainwindow/KeyboardDlg.h"

#include <cstdlib>
#include <thread>
#include <utility>

#include "app/Paths.h"
#include "app/Settings.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/CloseWindowTipDlg.h"
#include "mainwindow/PopupCloser.h"
#include "mainwindow/TextPaster.h"
#include "mainwindow/WaitDlg.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/keypage/LayoutFanOut.h"
#include "mainwindow/keypage/SpecialKeyRunner.h"
#include "mainwindow/keypage/WindowPageHost.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/lightpage/WindowLightHost.h"
#include "mainwindow/settingspage/PictureFanOut.h"
#include "mainwindow/settingspage/SettingsPage.h"
#include "mainwindow/settingspage/WindowSettingsHost.h"
#include "mainwindow/macropage/MacroPage.h"
#include "mainwindow/macropage/WindowMacroHost.h"
#include "store/ProfileStore.h"
#include "store/Records.h"
#include "zephui/ControlTypes.h"
#include "zephui/Cursor.h"
#include "zephui/Manager.h"
#include "zephui/MenuWnd.h"
#include "zephui/Message.h"
#include "zephui/SkinLocator.h"
#include "zephui/Text.h"
#include "zephui/TrayIcon.h"
#include "zephui/Window.h"
#include "zephui/WindowMark.h"
#include "zephui/WindowStyles.h"

using namespace ZephUI;

namespace {


constexpr UINT kTrayId = 109;
constexpr std::uint32_t kWindowStyle = 0x96020000;  // popup, visible, clipping, minimise box
constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr std::uint32_t kFirstFilteredKey = 166;  // browser, volume, media, mail and application keys
constexpr std::uint32_t kLastFilteredKey = 183;

}  // namespace

KeyboardDlg::KeyboardDlg(KeyboardDlgParts parts) : parts_(std::move(parts)) {
  if (parts_.opener == nullptr) ownOpener_ = std::make_unique<XdgAddressOpener>();
  opener_ = parts_.opener != nullptr ? parts_.opener : ownOpener_.get();
  if (parts_.virtualKeyboard == nullptr) parts_.virtualKeyboard = parts_.services.virtualDevice;
  virtualKeyboard_ = parts_.virtualKeyboard != nullptr ? parts_.virtualKeyboard : &VHidev::instance();
  if (!parts_.endProcess) parts_.endProcess = [](int code) { std::_Exit(code); };
  const std::string folder = parts_.programFolder.empty() ? GetModuleFolder() : parts_.programFolder;
  services_ = std::make_unique<KeyboardServices>(folder, *this, parts_.services);
}

KeyboardDlg::~KeyboardDlg() {
  DrainSends();
  services_.reset();
  tray_.reset();
}

// The worker may be waiting on a send to this thread: let it finish before its thread is joined.
void KeyboardDlg::DrainSends() {
  closing_ = true;
  while (sendsInFlight_.load() > 0) {
    MSG msg;
    if (PeekMessage(msg)) {
      TranslateMessage(msg);
      DispatchMessage(msg);
    } else {
      std::this_thread::yield();
    }
  }
}

LRESULT KeyboardDlg::SendToSelf(UINT msg, WPARAM wParam, LPARAM lParam) {
  ++sendsInFlight_;
  LRESULT result = 0;
  if (!closing_.load() && hwnd_ != nullptr) result = ZephUI::SendMessage(hwnd_, msg, wParam, lParam);
  --sendsInFlight_;
  return result;
}

std::uint32_t KeyboardDlg::Run() {
  if (Create(nullptr, Manager::GetDeviceName(), kWindowStyle, 0, Rect{0, 0, kWidth, kHeight}) == nullptr) return 0;
  CenterWindow();
  return ShowModal(SW_SHOW);
}

int KeyboardDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  // A press outside every control moves the window, as on its caption.
  EnableWndDrag(true);
  SetUpWindow();
  SetMTimer(10);
  services_->Start(parts_.worker);
  PostMessageW(kMsgShown, 0, 0);
  return 1;
}

void KeyboardDlg::InitUI(const Rect& clientRect) {
  frame_.Build(*this, clientRect, ReadSettingInt("exit_mode"));
  pageHost_ = std::make_unique<WindowPageHost>(*this);
  keyPage_ = std::make_unique<KeyPage>(*pageHost_);
  keyPage_->Build(*this, clientRect);
  layoutViews_ = std::make_unique<LayoutFanOut>(frame_, *keyPage_);
  BuildLightAndSettingsPages(clientRect);
  macroHost_ = std::make_unique<WindowMacroHost>(*this);
  macroPage_ = std::make_unique<MacroPage>(*macroHost_);
  macroPage_->Build(*this, clientRect);
}

void KeyboardDlg::UISize(const Rect&) {}

void KeyboardDlg::SetUpWindow() {
  SetWindowMark(hwnd_, Manager::GetDeviceName());
  AddTrayIcon();
  paster_ = std::make_unique<TextPaster>(*virtualKeyboard_, hwnd_);
  services_->ReadCatalogue(frame_, frame_);
  website_ = services_->GetCatalogue().WebsiteUrl();
  services_->LoadStartLayout(LayoutPictures());
  specialKeys_ = std::make_unique<SpecialKeyRunner>(services_->Store(), *virtualKeyboard_, hwnd_,
                                                    [this] { return profileId_.load(); });
  services_->SetFirstKeyListener([keys = specialKeys_.get()](int code, bool pressed) {
    return keys->OnFilterKey(code, pressed);
  });
  FillFilters();
}

void KeyboardDlg::AddTrayIcon() {
  tray_ = std::make_unique<TrayIcon>(hwnd_, kTrayId, KbMessage::kTray);
  std::u16string tip = Manager::GetDeviceName();
  if (tip.size() > 127) tip.resize(127);
  tray_->Add(SkinLocator::SkinPath(u"DeviceDriver.ico").string(), tip);
}

void KeyboardDlg::FillFilters() {
  forbidden_.Fill();
  for (std::uint32_t vk = kFirstFilteredKey; vk <= kLastFilteredKey; ++vk) hookKeyFilter_.insert(vk);
}

LRESULT KeyboardDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (LRESULT macro = 0; RouteMacroPageMessage(msg, wParam, lParam, macro)) return macro;
  if (LRESULT own = 0; RouteOwnMessage(msg, wParam, lParam, own)) return own;
  if (msg == WM_COMMAND) OnCommand(wParam);
  if (msg == KbMessage::kLanguage) RefreshLanguage();
  if (msg == WM_SHOWWINDOW) {
    visible_ = wParam != 0;
    SyncLiveLighting();
  }
  const LRESULT result = MDialog::OnWindowMessage(msg, wParam, lParam);
  if (msg == WM_PAINT && parts_.hooks.painted) parts_.hooks.painted(*this, devicePresent_);
  return result;
}

// The messages whose handling ends here; true when `msg` was one of them.
bool KeyboardDlg::RouteOwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (RouteLightPagesMessage(msg, wParam, lParam)) return true;
  switch (msg) {
    case kMsgRefresh: OnRefresh(); return true;
    case kMsgEnable: MWindow::EnableWindow(wParam != 0); return true;
    case kMsgCloseWait: if (waitDlg_ != nullptr) waitDlg_->DoOK(); return true;
    case kMsgExit: ExitSequence(static_cast<int>(wParam)); return true;
    case kMsgTrayMenu: OnCommand(static_cast<WPARAM>(lParam)); return true;
    case kMsgShown:
      visible_ = MWindow::IsWindowVisible();
      if (parts_.hooks.shown) parts_.hooks.shown();
      return true;
    case KbMessage::kDeviceChange: OnDeviceChangeMessage(); return true;
    case KbMessage::kSpecialKey: RunSpecialKey(static_cast<int>(lParam)); result = 1; return true;
    case KbMessage::kTray: OnTray(lParam); return true;
    case KbMessage::kExitRequest: if (lParam == KbMessage::kExitPassword) ExitSequence(0); return true;
    case KbMessage::kHookKey: return true;  // the macro page records it
    case KeyPageMessage::kKeyMenu:
      if (keyPage_ != nullptr) result = keyPage_->OnKeyMenu(static_cast<int>(lParam));
      return true;
    case KeyPageMessage::kProfileMenu:
      if (keyPage_ != nullptr) result = keyPage_->OnProfileMenu(static_cast<int>(lParam));
      return true;
    case kMsgLoadKeyPage:
      if (keyPage_ != nullptr) keyPage_->Load();
      return true;
    case 1827: return true;
    default: return false;
  }
}

// The macro page's messages; a hidden window ends a recording, so no keyboard grab outlives it.
bool KeyboardDlg::RouteMacroPageMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (macroPage_ == nullptr) return false;
  if (msg == WM_SHOWWINDOW && wParam == 0) macroPage_->StopRecording();
  if (msg == kMsgLoadMacroPage) {
    macroPage_->Load();
    return true;
  }
  const auto handled = macroPage_->OnWindowMessage(msg, wParam, lParam);
  if (handled) result = *handled;
  return handled.has_value();
}

LRESULT KeyboardDlg::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (macroPage_ != nullptr) {
    if (const auto handled = macroPage_->OnNotify(controlId, msg, wParam, lParam)) return *handled;
  }
  if (keyPage_ != nullptr) {
    if (const auto handled = keyPage_->OnNotify(controlId, msg, wParam, lParam)) return *handled;
  }
  if (const auto handled = NotifyLightAndSettingsPages(controlId, msg, wParam, lParam)) return *handled;
  if (controlId == FrameId::kDeviceList && msg == NOTIFY_PRESSED) return OnDeviceChosen();
  if (msg != NOTIFY_CLICKED) return 0;
  switch (controlId) {
    case FrameId::kTabStrip: OnTabSwitch(static_cast<int>(wParam)); return 1;
    case FrameId::kClose: OnCloseButton(); return 1;
    case FrameId::kMinimise: OnMinimize(); return 1;
    case FrameId::kWebsite: opener_->Open(ToUtf8(website_)); return 1;
    default: return 0;
  }
}

LRESULT KeyboardDlg::OnTimer(std::uintptr_t id) {
  if (id == TextPaster::kTimerId && paster_ != nullptr) paster_->Release();
  return 0;
}

void KeyboardDlg::QueueJob(JobCode code) { services_->QueueJob(code); }

void KeyboardDlg::ShowWaitDialog() {
  if (waitDlg_ != nullptr) waitDlg_->DestroyWindow();
  auto dialog = std::make_unique<WaitDlg>();
  waitDlg_ = dialog.get();
  dialog->Run(hwnd_);
  if (waitDlg_ == dialog.get()) waitDlg_ = nullptr;
}

void KeyboardDlg::ChangeProfile(int profileId) {
  // The key page makes it current when the store holds it (a switch key may name a deleted profile).
  if (keyPage_ != nullptr) keyPage_->SwitchToProfile(profileId);
  else profileId_ = profileId;
}

void KeyboardDlg::RefreshLanguage() {
  const int tab = frame_.TabIdAt(tabIndex_.load());
  const bool present = services_->Presence().interfaces == HidInterfaces::Found;
  frame_.RefreshTexts(tab < 0 ? TabId::kHome : tab, ReadSettingInt("exit_mode"), present);
  if (lightPage_ != nullptr) lightPage_->RefreshTexts();
  if (settingsPage_ != nullptr) settingsPage_->RefreshTexts();
  if (keyPage_ != nullptr) keyPage_->RefreshTexts();
  if (macroPage_ != nullptr) macroPage_->RefreshTexts();
}

void KeyboardDlg::ExitSequence(int code) {
  if (macroPage_ != nullptr) macroPage_->StopRecording();
  services_->ReleaseKeysAndStopFilter();
  if (tray_ != nullptr) tray_->Remove();
  // Closing the store checkpoints its write-ahead log, so the database is one complete file.
  services_->CloseStore();
  parts_.endProcess(code);
}

void KeyboardDlg::AskFile(ZephUI::FileChooserRequest request, ZephUI::FileChooser::AnswerHandler onAnswer) {
  using ZephUI::FileChooserBackend;
  if (chooser_ == nullptr) {
    // The demo and the tests ask through our own dialog, which XTEST can drive.
    const char* own = std::getenv("PELMORA_OWN_FILE_DIALOG");
    chooser_ = std::make_unique<ZephUI::FileChooser>(own != nullptr && *own == '1' ? FileChooserBackend::OwnDialog
                                                                                  : FileChooserBackend::PortalFirst);
  }
  if (request.folder.empty()) request.folder = ZephUI::DocumentsFolder();
  chooser_->Ask(std::move(request), std::move(onAnswer));
}

// The main window's part in the lighting and settings pages: building them,
// their load steps, the live lighting's source and picture, and the update
// badges and download progress the worker reports.
#include "app/Paths.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/LiveLighting.h"
#include "mainwindow/Worker.h"
#include "mainwindow/keypage/LayoutFanOut.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/lightpage/WindowLightHost.h"
#include "mainwindow/settingspage/PictureFanOut.h"
#include "mainwindow/settingspage/SettingsPage.h"
#include "mainwindow/settingspage/WindowSettingsHost.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace {

constexpr std::uint32_t kLightingPageBit = 0x04;
constexpr std::uint32_t kMusicFlag = 0x200;
constexpr std::uint32_t kScreenFlag = 0x400;

}  // namespace

void KeyboardDlg::BuildLightAndSettingsPages(const Rect& clientRect) {
  lightHost_ = std::make_unique<WindowLightHost>(*this);
  lightPage_ = std::make_unique<LightPage>(*lightHost_);
  lightPage_->Build(*this, clientRect);
  settingsHost_ = std::make_unique<WindowSettingsHost>(*this);
  settingsPage_ = std::make_unique<SettingsPage>(*settingsHost_);
  settingsPage_->Build(*this, clientRect);
  LayoutViews& next = layoutViews_ != nullptr ? static_cast<LayoutViews&>(*layoutViews_) : frame_;
  pictures_ = std::make_unique<PictureFanOut>(next, *lightPage_, *settingsPage_);
  // One repaint waits at most: the worker's frames are dropped while the window is behind.
  services_->Live().SetFrameListener([this] {
    if (hwnd_ != nullptr && !liveFramePosted_.exchange(true)) PostMessage(hwnd_, kMsgLiveFrame, 0, 0);
  });
}

LayoutViews* KeyboardDlg::LayoutPictures() {
  if (pictures_ != nullptr) return pictures_.get();
  if (layoutViews_ != nullptr) return layoutViews_.get();
  return &frame_;
}

std::string KeyboardDlg::ProgramFolder() const {
  return parts_.programFolder.empty() ? GetModuleFolder() : parts_.programFolder;
}

void KeyboardDlg::SetLightingModeFlags(std::uint32_t flags) {
  lightingFlags_ = flags;
  SyncLiveLighting();
}

// The live light sources run only while someone can see them: the window shown, the lighting tab open,
// a family A keyboard present and a music or screen mode chosen.
void KeyboardDlg::SyncLiveLighting() {
  const std::uint32_t flags = lightingFlags_.load();
  const bool seen = visible_.load() && tabIndex_.load() == Worker::kLightingTab && devicePresent_ &&
                    services_->DeviceType() < Worker::kLiveLightingTypeLimit;
  LiveSource source = LiveSource::None;
  if (seen && (flags & kScreenFlag) != 0) source = LiveSource::Screen;
  else if (seen && (flags & kMusicFlag) != 0) source = LiveSource::Music;
  services_->Live().Select(source);
}

// On the window's thread, from job 5: the lighting page when the mask names it, and the settings page.
void KeyboardDlg::LoadLightAndSettingsPages() {
  if (lightPage_ != nullptr && (pageMask_.load() & kLightingPageBit) != 0) {
    lightPage_->SetAudioMonitors(audioMonitors_);
    lightPage_->Load();
  }
  if (settingsPage_ != nullptr) settingsPage_->Load();
  SyncLiveLighting();
}

std::optional<LRESULT> KeyboardDlg::NotifyLightAndSettingsPages(std::uint32_t controlId, UINT msg, WPARAM wParam,
                                                                LPARAM lParam) {
  if (lightPage_ != nullptr) {
    if (const auto handled = lightPage_->OnNotify(controlId, msg, wParam, lParam)) return handled;
  }
  if (settingsPage_ != nullptr) return settingsPage_->OnNotify(controlId, msg);
  return std::nullopt;
}

bool KeyboardDlg::RouteLightPagesMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kMsgLoadLightPages: LoadLightAndSettingsPages(); return true;
    case kMsgLiveFrame:
      liveFramePosted_ = false;
      if (lightPage_ != nullptr) lightPage_->ShowLiveColours(services_->Live().LatestColours());
      return true;
    case kMsgUpgradeMarkers:
      if (settingsPage_ != nullptr) settingsPage_->ShowUpgradeMarkers(softwareUpgrade_.load(), firmwareUpgrade_.load());
      return true;
    case KbMessage::kTray:
      // The tray reports with its icon id; download progress comes with 0.
      if (wParam != 0) return false;
      if (settingsPage_ != nullptr) settingsPage_->ShowDownloadProgress(static_cast<int>(lParam));
      return true;
    default: return false;
  }
}

void KeyboardDlg::SetSoftwareUpgradeMarker() {
  softwareUpgrade_ = true;
  if (hwnd_ != nullptr) PostMessage(hwnd_, kMsgUpgradeMarkers, 0, 0);
}

void KeyboardDlg::SetFirmwareUpgradeMarker() {
  firmwareUpgrade_ = true;
  if (hwnd_ != nullptr) PostMessage(hwnd_, kMsgUpgradeMarkers, 0, 0);
}

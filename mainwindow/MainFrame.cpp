#include "mainwindow/MainFrame.h"

#include "app/LanguageText.h"
#include "zephui/BatteryCtrl.h"
#include "zephui/CArea.h"
#include "zephui/CDeviceCtrl.h"
#include "zephui/CImageButton.h"
#include "zephui/MDialog.h"
#include "zephui/MPicture.h"
#include "zephui/MTabCtrl.h"
#include "zephui/MTabLayout.h"
#include "zephui/MText.h"
#include "zephui/TabItemInfo.h"

using namespace ZephUI;

namespace {

constexpr int kStripWidth = 80;
constexpr int kShadeAlpha = 40;
constexpr GdiColor kShadeColour{0x646464};
constexpr GdiColor kBorderColour{0xC8C8C8};
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kGrey = 0xFF969696;
constexpr int kConnectedText = 60;
constexpr int kConnectText = 61;
constexpr int kSettingsIndex = 4;
constexpr const char16_t* kProductTitle = u"Pelmora keyboard T40";

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

// Caption text and icon per tab item id; the advanced tab (4) has a text but no page here.
struct CaptionLook {
  int text;
  const char16_t* icon;
};
CaptionLook CaptionFor(int tabId) {
  switch (tabId) {
    case TabId::kKeys: return {51, u"icon/icon_keyboard.png"};
    case TabId::kMacros: return {52, u"icon/icon_macro.png"};
    case TabId::kLighting: return {53, u"icon/icon_lightmode.png"};
    case 4: return {55, u""};
    case TabId::kSettings: return {56, u"icon/icon_config.png"};
    default: return {0, u""};
  }
}

// Tab items in insertion order: id, icon, text, page id.
struct TabLook {
  int id;
  const char16_t* icon;
  int text;
  std::uint32_t page;
};
constexpr TabLook kTabs[] = {{TabId::kHome, u"icon/tab_home.png", 50, 50},
                             {TabId::kKeys, u"icon/tab_customkey.png", 51, 51},
                             {TabId::kMacros, u"icon/tab_macro.png", 52, 53},
                             {TabId::kLighting, u"icon/tab_light.png", 53, 52},
                             {TabId::kSettings, u"icon/tab_config.png", 56, 54}};

}  // namespace

void MainFrame::Build(MDialog& dialog, const Rect& client, int exitMode) {
  dialog_ = &dialog;
  BuildBackground(client);
  BuildCaption(client, exitMode);
  BuildTabs(client);
  BuildHomePage(client);
}

void MainFrame::BuildBackground(const Rect& client) {
  const int w = client.Width();
  const int h = client.Height();
  AddPicture(FrameId::kBackground, Rect{0, 0, w, h}, u"main_bkg.png");
  const Rect borders[] = {{0, 0, 1, h}, {w - 1, 0, w, h}, {0, 0, w, 1}, {0, h - 1, w, h}};
  const std::uint32_t borderIds[] = {31, 33, 32, 34};
  for (int i = 0; i < 4; ++i) {
    if (auto* edge = dynamic_cast<CArea*>(dialog_->CreateControl(u"CArea", borderIds[i], borders[i], u"", true, true))) {
      edge->SetTransparent(50, 50, kBorderColour);
    }
  }
  shade_ = dialog_->CreateControl(u"CArea", FrameId::kPageShade, Rect{kStripWidth, 50, w - 1, h - 1}, u"", false, true);
  if (auto* area = dynamic_cast<CArea*>(shade_)) area->SetTransparent(kShadeAlpha, kShadeAlpha, kShadeColour);
}

void MainFrame::BuildCaption(const Rect& client, int exitMode) {
  const int w = client.Width();
  const int c = w / 2;
  AddPicture(FrameId::kCaptionBar, Rect{1, 1, w - 1, 50}, u"pic_caption.png");
  AddPicture(FrameId::kLogo, Rect{24, 9, 56, 41}, u"logo/logo.png");
  if (MText* title = AddText(FrameId::kTitle, Rect{c - 150, 10, c + 150, 40}, kProductTitle, 0xFFC8C8C8, 20, true)) {
    title->SetAlignment(1);
  }
  captionIcon_ = AddPicture(FrameId::kCaptionIcon, Rect{96, 9, 128, 41}, u"logo/logo.png");
  caption_ = AddText(FrameId::kCaptionLabel, Rect{136, 8, 400, 42}, u"", kWhite, 22, false);
  if (caption_ != nullptr) caption_->SetVAlignment(4);
  battery_ = dialog_->CreateControl(u"BatteryCtrl", FrameId::kBattery, Rect{w - 250, 25, w - 206, 45}, u"", false, true);
  if (auto* gauge = dynamic_cast<BatteryCtrl*>(battery_)) {
    gauge->SetImage(u"icon/icon_battery_bkg.png", 1);
    gauge->SetBatteryIcon(u"icon/icon_batteryvalue.png", u"icon/icon_charge.png");
    // The level text sits inside the 44 x 20 outline: a smaller face keeps "100%" clear of its edges.
    gauge->SetFontWidth(11);
    gauge->SetTextColor(ArgbColor(kWhite));
  }
  modeIcon_ = AddPicture(FrameId::kModeIcon, Rect{w - 196, 23, w - 172, 47}, u"icon/mode_usb.png");
  if (modeIcon_ != nullptr) modeIcon_->SetVisible(false);
  close_ = AddSystemButton(FrameId::kClose, Rect{w - 50, 20, w - 20, 50}, u"main_sysbtn_close.png", 171);
  SetCloseTooltip(exitMode);
  AddSystemButton(FrameId::kMinimise, Rect{w - 100, 20, w - 70, 50}, u"main_sysbtn_min.png", 2);
  AddSystemButton(FrameId::kWebsite, Rect{w - 150, 20, w - 120, 50}, u"main_sysbtn_website.png", 5);
}

void MainFrame::BuildTabs(const Rect& client) {
  const int w = client.Width();
  const int h = client.Height();
  tabBackground_ = dialog_->CreateControl(u"CArea", FrameId::kTabBackground, Rect{1, 50, 76, h - 1}, u"", false, true);
  if (auto* area = dynamic_cast<CArea*>(tabBackground_)) area->SetTransparent(kShadeAlpha, kShadeAlpha, kShadeColour);
  tabs_ = dynamic_cast<MTabCtrl*>(dialog_->CreateControl(u"MTabCtrl", FrameId::kTabStrip, Rect{1, 60, 79, h - 10},
                                                          u"", false, true));
  if (tabs_ == nullptr) return;
  tabs_->SetTabType(TAB_TYPE_VERTICAL);
  tabs_->SetTextColor(ArgbColor(0xFFADADAD));
  tabs_->SetTabCtrlWidth(kStripWidth);
  tabs_->SetTabCtrlHeight(kStripWidth);
  tabs_->SetLeftRightPading(0, kStripWidth);
  tabs_->SetTopBottomPading(0, 400);
  for (const TabLook& tab : kTabs) {
    MControl* page = dialog_->CreateControl(u"MTabLayout", tab.page, Rect{kStripWidth, 50, w - 1, h - 1}, u"",
                                            false, true);
    tabs_->InsertItem(tab.id, Text(tab.text), tab.icon, page, 4, kStripWidth);
  }
  tabs_->SetSelectItem(0);
  tabs_->RefreshItems();
  PinSettingsTab();
}

void MainFrame::BuildHomePage(const Rect& client) {
  auto* home = dynamic_cast<MTabLayout*>(dialog_->GetControl(FrameId::kHomePage));
  if (home == nullptr) return;
  const int w = client.Width();
  const int h = client.Height();
  const int x = (w - 360) / 2;
  const int c = w / 2;
  status_ = dynamic_cast<MText*>(home->CreateControl(u"MText", FrameId::kStatusLine, Rect{x, 280, x + 372, 318},
                                                     Text(kConnectedText), true, true));
  if (status_ != nullptr) {
    status_->SetTextColor(ArgbColor(kWhite));
    status_->SetFont(status_->GetTextFont(), 20, static_cast<std::uint32_t>(FontStyle::Bold));
    status_->SetAlignment(1);
  }
  devices_ = dynamic_cast<CDeviceCtrl*>(home->CreateControl(u"CDeviceCtrl", FrameId::kDeviceList,
                                                            Rect{x, 318, x + 372, 580}, u"", true, true));
  if (devices_ != nullptr) {
    devices_->SetImage(u"img_device_state.png", 2);
    devices_->SetTextColor(ArgbColor(kWhite));
    devices_->SetFont(devices_->GetTextFont(), 20, static_cast<std::uint32_t>(FontStyle::Bold));
  }
  version_ = dynamic_cast<MText*>(home->CreateControl(u"MText", FrameId::kVersion, Rect{10, h - 40, 170, h - 5}, u"",
                                                      true, true));
  if (version_ != nullptr) version_->SetTextColor(ArgbColor(kGrey));
  copyright_ = dynamic_cast<MText*>(home->CreateControl(u"MText", FrameId::kCopyright,
                                                        Rect{c - 350, h - 40, c + 350, h - 5}, u"", true, true));
  if (copyright_ != nullptr) {
    copyright_->SetTextColor(ArgbColor(kGrey));
    copyright_->SetAlignment(1);
  }
}

MText* MainFrame::AddText(std::uint32_t id, const Rect& rect, std::u16string_view text, std::uint32_t argb, int size,
                          bool bold) {
  auto* label = dynamic_cast<MText*>(dialog_->CreateControl(u"MText", id, rect, text, true, true));
  if (label == nullptr) return nullptr;
  label->SetTextColor(ArgbColor(argb));
  label->SetFont(label->GetTextFont(), size,
                 static_cast<std::uint32_t>(bold ? FontStyle::Bold : FontStyle::Regular));
  return label;
}

MPicture* MainFrame::AddPicture(std::uint32_t id, const Rect& rect, std::u16string_view image) {
  auto* picture = dynamic_cast<MPicture*>(dialog_->CreateControl(u"MPicture", id, rect, u"", true, true));
  if (picture != nullptr) picture->SetImage(image, 1);
  return picture;
}

CImageButton* MainFrame::AddSystemButton(std::uint32_t id, const Rect& rect, std::u16string_view image,
                                         int tooltipText) {
  auto* button = dynamic_cast<CImageButton*>(dialog_->CreateControl(u"CImageButton", id, rect, u"", true, true));
  if (button == nullptr) return nullptr;
  button->SetImage(image, 4);
  button->SetTooltip(Text(tooltipText));
  return button;
}

void MainFrame::SetCloseTooltip(int exitMode) {
  if (close_ != nullptr) close_->SetTooltip(Text(exitMode == 2 ? 172 : 171));
}

void MainFrame::ShowNoDevice() {
  if (status_ != nullptr) status_->SetTitle(Text(kConnectText));
  SelectTab(0);
  if (tabs_ != nullptr) {
    tabs_->SetVisible(false);
    tabs_->RefreshItems();
    PinSettingsTab();
  }
  if (shade_ != nullptr) shade_->SetVisible(false);
  if (tabBackground_ != nullptr) tabBackground_->SetVisible(false);
  SetDeviceChromeVisible(false);
  ClearCaption();
}

void MainFrame::ShowDevicePresent() {
  if (status_ != nullptr) status_->SetTitle(Text(kConnectedText));
  if (tabs_ != nullptr) {
    for (int index = 1; index <= kSettingsIndex; ++index) tabs_->SetItemVisible(index, true);
  }
  ShowTabStrip();
  SetDeviceChromeVisible(true);
  if (caption_ != nullptr) caption_->SetTitle(Text(51));
  if (captionIcon_ != nullptr) captionIcon_->SetImage(u"icon/icon_keyboard.png", 1);
  SelectTab(1);
  if (tabs_ != nullptr) tabs_->RefreshItems();
  PinSettingsTab();
}

void MainFrame::ShowTabStrip() {
  if (tabs_ != nullptr) tabs_->SetVisible(true);
  if (tabBackground_ != nullptr) tabBackground_->SetVisible(true);
  if (shade_ != nullptr) shade_->SetVisible(true);
}

void MainFrame::SelectTab(int index) {
  if (tabs_ == nullptr) return;
  tabs_->SetSelectItem(index);
  PinSettingsTab();
}

int MainFrame::TabIdAt(int index) const {
  if (tabs_ == nullptr || index < 0 || index >= tabs_->GetItemCount()) return -1;
  return tabs_->GetItemID(index);
}

void MainFrame::ShowCaptionFor(int tabId) {
  if (tabId == TabId::kHome) {
    if (tabs_ != nullptr) tabs_->SetVisible(false);
    if (tabBackground_ != nullptr) tabBackground_->SetVisible(false);
    if (shade_ != nullptr) shade_->SetVisible(false);
    ClearCaption();
    return;
  }
  const CaptionLook look = CaptionFor(tabId);
  if (caption_ != nullptr) caption_->SetTitle(look.text != 0 ? Text(look.text) : u"");
  if (captionIcon_ != nullptr) {
    captionIcon_->SetImage(look.icon, 1);
    captionIcon_->SetVisible(*look.icon != u'\0');
  }
}

void MainFrame::MarkConnected(int deviceType) {
  if (devices_ == nullptr) return;
  devices_->ResetAllState();
  if (deviceType != 0) devices_->SetDeviceState(deviceType, 1);
}

void MainFrame::RefreshTexts(int tabId, int exitMode, bool devicesPresent) {
  if (tabs_ != nullptr) {
    for (int index = 0; index < tabs_->GetItemCount(); ++index) {
      const int text = CaptionFor(tabs_->GetItemID(index)).text;
      tabs_->SetItemText(index, Text(index == 0 ? 50 : text));
    }
    PinSettingsTab();
  }
  const CaptionLook look = CaptionFor(tabId);
  if (caption_ != nullptr) caption_->SetTitle(look.text != 0 ? Text(look.text) : u"");
  SetCloseTooltip(exitMode);
  if (auto* minimise = dialog_->GetControl(FrameId::kMinimise)) minimise->SetTooltip(Text(2));
  if (auto* website = dialog_->GetControl(FrameId::kWebsite)) website->SetTooltip(Text(5));
  if (status_ != nullptr) status_->SetTitle(Text(devicesPresent ? kConnectedText : kConnectText));
}

int MainFrame::ChosenDeviceType() const { return devices_ != nullptr ? devices_->GetCurDeviceType() : 0; }

std::u16string MainFrame::StatusText() const { return status_ != nullptr ? status_->GetTitle() : u""; }

std::u16string MainFrame::CaptionText() const { return caption_ != nullptr ? caption_->GetTitle() : u""; }

bool MainFrame::IsTabStripVisible() const { return tabs_ != nullptr && tabs_->IsVisible(); }

bool MainFrame::IsTabVisible(int index) const { return tabs_ != nullptr && tabs_->GetItemVisible(index); }

void MainFrame::AddDevice(const std::u16string& name, int deviceType) {
  if (devices_ != nullptr) devices_->AddDevice(name, 0, 0, deviceType, true);
}

void MainFrame::SetVersionLabel(const std::u16string& text) {
  if (version_ != nullptr) version_->SetTitle(text);
}

void MainFrame::SetCopyrightLabel(const std::u16string& text) {
  if (copyright_ != nullptr) copyright_->SetTitle(text);
}

void MainFrame::SetTabVisible(int item, bool visible) {
  if (tabs_ == nullptr || item < 0 || item >= tabs_->GetItemCount()) return;
  tabs_->SetItemVisible(item, visible);
  PinSettingsTab();
}

void MainFrame::SetDeviceChromeVisible(bool visible) {
  if (battery_ != nullptr) battery_->SetVisible(visible);
  if (modeIcon_ != nullptr) modeIcon_->SetVisible(visible);
}

void MainFrame::ClearCaption() {
  if (caption_ != nullptr) caption_->SetTitle(u"");
  if (captionIcon_ != nullptr) captionIcon_->SetVisible(false);
}

// The settings item sits at the bottom of the strip whatever the layout did.
void MainFrame::PinSettingsTab() {
  if (tabs_ == nullptr || tabs_->GetItemCount() <= kSettingsIndex) return;
  TabItemInfo* settings = tabs_->GetItemInfo(kSettingsIndex);
  if (settings == nullptr || settings->visible == 0) return;
  const int bottom = tabs_->GetRect().bottom;
  settings->rect.top = bottom - 106;
  settings->rect.bottom = bottom - 36;
  tabs_->UpdateControl(CacheReset::Reset);
}

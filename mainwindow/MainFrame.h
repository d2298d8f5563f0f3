// The main window's frame and home page: background, borders, caption bar,
// system buttons, the left tab strip with its five pages, and the home page's
// status line, device list, version and copyright lines. It receives what the
// catalogue and the layout loader report and switches between the views the
// window shows (no keyboard, keyboard present, one page open).
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/KeyboardLayout.h"
#include "zephui/Rect.h"

namespace ZephUI {
class MDialog;
class MControl;
class MText;
class MPicture;
class MTabCtrl;
class CDeviceCtrl;
class CImageButton;
}  // namespace ZephUI

/// Control ids of the frame, as the window's OnMessage receives them.
namespace FrameId {
inline constexpr std::uint32_t kBackground = 30;
inline constexpr std::uint32_t kPageShade = 35;
inline constexpr std::uint32_t kCaptionBar = 36;
inline constexpr std::uint32_t kLogo = 37;
inline constexpr std::uint32_t kTitle = 38;
inline constexpr std::uint32_t kCaptionLabel = 39;
inline constexpr std::uint32_t kCaptionIcon = 40;
inline constexpr std::uint32_t kClose = 41;
inline constexpr std::uint32_t kMinimise = 42;
inline constexpr std::uint32_t kWebsite = 44;
inline constexpr std::uint32_t kBattery = 46;
inline constexpr std::uint32_t kModeIcon = 47;
inline constexpr std::uint32_t kTabBackground = 48;
inline constexpr std::uint32_t kTabStrip = 49;
inline constexpr std::uint32_t kHomePage = 50;
inline constexpr std::uint32_t kStatusLine = 55;
inline constexpr std::uint32_t kDeviceList = 56;
inline constexpr std::uint32_t kCopyright = 57;
inline constexpr std::uint32_t kVersion = 58;
}  // namespace FrameId

/// Ids of the tab strip's items (what the strip reports as the item id).
namespace TabId {
inline constexpr int kHome = 0;
inline constexpr int kKeys = 1;
inline constexpr int kMacros = 2;
inline constexpr int kLighting = 3;
inline constexpr int kSettings = 5;
}  // namespace TabId

class MainFrame : public CatalogueDeviceList, public CatalogueLabels, public LayoutViews {
 public:
  /// Creates every frame control on `dialog`; `exitMode` chooses the close button's tooltip.
  void Build(ZephUI::MDialog& dialog, const ZephUI::Rect& client, int exitMode);

  /// No keyboard: status text 61, home tab, strip, shade, gauge and mode icon hidden, caption cleared.
  void ShowNoDevice();
  /// A keyboard is present: status text 60, tabs 1-4 shown, key tab selected.
  void ShowDevicePresent();
  /// The strip, its background and the page shade shown (a device was chosen on the home page).
  void ShowTabStrip();
  /// Selects a tab by index (the strip reports the change to the window first).
  void SelectTab(int index);
  /// The id of the tab item at an index; -1 when none.
  int TabIdAt(int index) const;
  /// Caption label and icon for the tab with this item id; home hides the strip and clears them.
  void ShowCaptionFor(int tabId);
  /// Marks the keyboard of this device type connected in the device list, or none when 0.
  void MarkConnected(int deviceType);
  /// Sets every text again from the language file.
  void RefreshTexts(int tabId, int exitMode, bool devicesPresent);
  /// The close button's tooltip for an exit mode.
  void SetCloseTooltip(int exitMode);
  /// The device type of the current device list entry; 0 for none.
  int ChosenDeviceType() const;

  /// The current home status line text (for tests and the screenshot check).
  std::u16string StatusText() const;
  /// The current caption label.
  std::u16string CaptionText() const;
  /// True while the tab strip is shown.
  bool IsTabStripVisible() const;
  /// True while the tab at `index` is shown.
  bool IsTabVisible(int index) const;
  /// The tab strip; null before Build.
  ZephUI::MTabCtrl* TabStrip() const { return tabs_; }
  /// The device list; null before Build.
  ZephUI::CDeviceCtrl* DeviceList() const { return devices_; }

  // CatalogueDeviceList, CatalogueLabels
  void AddDevice(const std::u16string& name, int deviceType) override;
  void SetVersionLabel(const std::u16string& text) override;
  void SetCopyrightLabel(const std::u16string& text) override;

  // LayoutViews: the pages that draw keyboards come later; only the strip is served now.
  void SetTabVisible(int item, bool visible) override;
  void SetFirmwareButtonVisible(bool) override {}
  void SetLightSliderMaximums(int, int) override {}
  void ClearKeyItems(LayoutPicture) override {}
  void SetPicture(LayoutPicture, const ZephUI::Rect&, const std::u16string&, int, int) override {}
  void AddKeyItem(LayoutPicture, const LayoutKey&) override {}

 private:
  void BuildBackground(const ZephUI::Rect& client);
  void BuildCaption(const ZephUI::Rect& client, int exitMode);
  void BuildTabs(const ZephUI::Rect& client);
  void BuildHomePage(const ZephUI::Rect& client);
  ZephUI::MText* AddText(std::uint32_t id, const ZephUI::Rect& rect, std::u16string_view text, std::uint32_t argb,
                         int size, bool bold);
  ZephUI::MPicture* AddPicture(std::uint32_t id, const ZephUI::Rect& rect, std::u16string_view image);
  ZephUI::CImageButton* AddSystemButton(std::uint32_t id, const ZephUI::Rect& rect, std::u16string_view image,
                                        int tooltipText);
  void SetDeviceChromeVisible(bool visible);
  void ClearCaption();
  void PinSettingsTab();

  ZephUI::MDialog* dialog_ = nullptr;
  ZephUI::MControl* shade_ = nullptr;
  ZephUI::MControl* tabBackground_ = nullptr;
  ZephUI::MText* caption_ = nullptr;
  ZephUI::MPicture* captionIcon_ = nullptr;
  ZephUI::MControl* battery_ = nullptr;
  ZephUI::MControl* modeIcon_ = nullptr;
  ZephUI::CImageButton* close_ = nullptr;
  ZephUI::MTabCtrl* tabs_ = nullptr;
  ZephUI::MText* status_ = nullptr;
  ZephUI::CDeviceCtrl* devices_ = nullptr;
  ZephUI::MText* version_ = nullptr;
  ZephUI::MText* copyright_ = nullptr;
};

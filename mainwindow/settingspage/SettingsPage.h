// The settings page (layout 54): interface language, start at login, the
// profile and factory resets, and the software and firmware update buttons
// with their badges and the download's progress.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/KeyboardLayout.h"
#include "zephui/MPanel.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class MDialog;
class KeyboardCtrl;
}  // namespace ZephUI
class SettingsPageHost;

/// Control ids of the page, as the window's OnMessage receives them.
namespace SettingsId {
inline constexpr std::uint32_t kPage = 54;
inline constexpr std::uint32_t kShade = 238;
inline constexpr std::uint32_t kLanguageLabel = 239;
inline constexpr std::uint32_t kLanguage = 240;
inline constexpr std::uint32_t kStartAtLogin = 241;
inline constexpr std::uint32_t kResetProfile = 242;
inline constexpr std::uint32_t kFactoryReset = 243;
inline constexpr std::uint32_t kSoftwareUpdate = 244;
inline constexpr std::uint32_t kFirmwareUpdate = 245;
inline constexpr std::uint32_t kPicture = 246;
inline constexpr std::uint32_t kProgress = 247;  ///< the download's progress under the update buttons
}  // namespace SettingsId

class SettingsPage {
 public:
  /// The host must outlive the page.
  explicit SettingsPage(SettingsPageHost& host) : host_(host) {}

  /// Creates the page's controls on layout 54 of `dialog`.
  void Build(ZephUI::MDialog& dialog, const ZephUI::Rect& client);
  /// A notification of one of the page's controls; nullopt when the id is not the page's.
  std::optional<ZephUI::LRESULT> OnNotify(std::uint32_t controlId, ZephUI::UINT msg);
  /// The load step: the factory reset shown for family B keyboards only.
  void Load();
  /// Sets every text again in the current language.
  void RefreshTexts();
  /// Puts the "newer version" badge on the update buttons that have one.
  void ShowUpgradeMarkers(bool software, bool firmware);
  /// A download progress state (0-100); the bar shows while a download runs.
  void ShowDownloadProgress(int state);

  /// The layout's key picture goes here.
  void ClearPictureKeys();
  void SetPicture(const ZephUI::Rect& rect, const std::u16string& image, int width, int height);
  void AddPictureKey(const LayoutKey& key);
  /// Shows or hides the firmware update button (the layout says whether the model has firmware updates).
  void SetFirmwareButtonVisible(bool visible);

  /// The control with this id as a T; null when missing or of another class.
  template <typename T>
  T* Get(std::uint32_t id) const {
    return page_ == nullptr ? nullptr : dynamic_cast<T*>(page_->GetControl(id));
  }

 private:
  void BuildButtons();
  void FillLanguages();
  ZephUI::LRESULT OnLanguage();
  ZephUI::LRESULT OnStartAtLogin();
  ZephUI::LRESULT OnResetProfile();
  ZephUI::LRESULT OnFactoryReset();
  ZephUI::LRESULT OnSoftwareUpdate();
  ZephUI::LRESULT OnFirmwareUpdate();
  void SelectLanguage(int id);
  int UpgradeStatus(std::uint32_t id) const;

  SettingsPageHost& host_;
  ZephUI::MPanel* page_ = nullptr;
};

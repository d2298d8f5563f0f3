// The lighting page (layout 52): the layout's lighting modes, the keyboard
// picture, and below it only the settings the chosen mode uses. Every change
// is stored in the lighting rows first; modes the keyboard runs itself then
// reach it through a lighting job, while the music and screen modes are fed
// by the live lighting.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "catalogue/KeyboardLayout.h"
#include "mainwindow/lightpage/AudioMonitorList.h"
#include "mainwindow/lightpage/LightControls.h"
#include "store/Records.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class MDialog;
class KeyboardCtrl;
}  // namespace ZephUI
class LightPageHost;
class LightMusic;

/// How a settings change reaches the keyboard.
enum class ApplyPattern {
  QueueAndWait,  ///< a lighting job and the wait dialog
  QueueIfIdle,   ///< the same when nothing is pending; else the pending work carries it
  QueueOnly,     ///< a lighting job without the wait dialog
};

class LightPage {
 public:
  /// The lighting profile whose rows the page edits; it does not follow the key profiles.
  static constexpr int kLightingProfile = 1;
  /// The colour set of the per-key mode; family A custom sets n are 128 + n.
  static constexpr int kPerKeySet = 128;

  explicit LightPage(LightPageHost& host);
  ~LightPage();

  /// Creates the page's controls on layout 52 of `dialog`.
  void Build(ZephUI::MDialog& dialog, const ZephUI::Rect& client);
  /// The load step: mode list from the stored rows, the current mode shown, the music layer.
  void Load();
  /// Chooses the selected mode again (the mode list's click and every switch to the tab).
  void ChooseMode();
  /// A notification of one of the page's controls; nullopt when the id is not the page's.
  std::optional<ZephUI::LRESULT> OnNotify(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                                          ZephUI::LPARAM lParam);
  /// Sets every text again in the current language.
  void RefreshTexts();
  /// The sounds the music mode can follow (the default output's monitor first).
  void SetAudioMonitors(const std::vector<AudioMonitor>& monitors);
  /// Selects the first custom set (profile and factory resets).
  void SelectFirstCustomSet();

  /// The layout's key picture goes here, and the layout's slider maximums.
  void ClearPictureKeys();
  void SetPicture(const ZephUI::Rect& rect, const std::u16string& image, int width, int height);
  void AddPictureKey(const LayoutKey& key);
  void SetSliderMaximums(int brightnessMax, int speedMax);
  /// Colours keys of the picture from the live lighting (key code, colour).
  void ShowLiveColours(const std::vector<std::pair<int, ZephUI::GdiColor>>& colours);

  /// The controls, for the window and tests.
  const LightControls& Controls() const { return controls_; }
  ZephUI::KeyboardCtrl* Picture() const;
  /// The mode whose row the controls show; 0 before the first load.
  int CurrentMode() const { return currentMode_; }

 private:
  bool ReadCurrent(LightRecord& row);
  void Store(const LightRecord& row);
  void Apply(ApplyPattern pattern);
  void FillModeList();
  void ShowMode();
  void ShowSliders(const LightRecord& row);
  void ShowDirection(const LightRecord& row);
  void ShowColours(const LightRecord& row);
  void ShowPerKey(const LightRecord& row);
  void ShowAreas(const LightRecord& row);
  void ShowKeyColours(int set);
  int SelectedSet() const;
  bool FamilyB() const;
  int LeftDirection() const;

  ZephUI::LRESULT OnSetting(std::uint32_t id);
  void OnBrightness();
  void OnSpeed();
  void OnDirection(std::uint32_t id);
  void OnColourIndex(int index);
  void OnColourful(bool byClick);
  void OnPickedColour(std::uint32_t id);
  void SetModeColour(ZephUI::GdiColor colour);
  void OnPerKeyColours();
  void OnCustomSet();
  void OnArea(std::uint32_t id);

  LightPageHost& host_;
  LightControls controls_;
  std::unique_ptr<LightMusic> music_;
  int currentMode_ = 0;
};

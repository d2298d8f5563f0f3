// The play options of the selected macro: repeat count (1-99), how delays
// are played (recorded, none, fixed) with the fixed delay, and the loop type
// (count, while held, toggle).
#pragma once

#include <cstdint>
#include <string>

#include "macros/recorder/MacroRecorder.h"
#include "store/Records.h"
#include "zephui/Rect.h"

namespace ZephUI {
class MPanel;
class MEdit;
class MText;
class CRadioButton;
}  // namespace ZephUI

class PlayOptions {
 public:
  static constexpr int kMinRepeat = 1;
  static constexpr int kMaxRepeat = 99;
  static constexpr int kDefaultFixedDelay = 10;

  /// Creates the fields and radios on the page panel.
  void Build(ZephUI::MPanel& page);
  /// Shows defaults: repeat 1, recorded delays, fixed delay 10 (disabled), loop by count.
  void ShowDefaults();
  /// Shows a macro's options.
  void Show(const MacroRecord& macro);
  /// Writes the options shown into `macro`; a repeat count outside 1-99 is clamped and shown clamped.
  void ReadInto(MacroRecord& macro);
  /// The delay rule recording uses: the chosen radio and the fixed delay field.
  DelayMode ChosenDelayMode() const;
  /// The fixed delay field's value (10 when empty).
  int FixedDelay() const;
  /// A delay radio was clicked: the fixed delay field is enabled only for the fixed radio.
  void OnDelayChoice(std::uint32_t radioId);
  /// Enables or disables every option (the fixed delay field only with its radio).
  void SetEnabled(bool enabled);
  /// Sets the texts again in the current language.
  void RefreshTexts();

 private:
  int ChosenLoopType() const;
  void Check(std::uint32_t id);

  ZephUI::MText* repeatLabel_ = nullptr;
  ZephUI::MEdit* repeat_ = nullptr;
  ZephUI::MEdit* fixedDelay_ = nullptr;
  ZephUI::MText* fixedUnit_ = nullptr;
  ZephUI::CRadioButton* delay_[3] = {};
  ZephUI::CRadioButton* loop_[3] = {};
  bool enabled_ = false;
};

#include "mainwindow/macropage/PlayOptions.h"

#include <algorithm>
#include <string>

#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/PageControls.h"
#include "store/MacroLimits.h"
#include "zephui/CRadioButton.h"
#include "zephui/MEdit.h"
#include "zephui/MPanel.h"
#include "zephui/MText.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace {

constexpr int kLoopTypes[3] = {0, 16, 32};
constexpr int kDelayTexts[3] = {317, 318, 319};
constexpr int kLoopTexts[3] = {342, 343, 344};

std::u16string Decimal(int value) { return ToUtf16(std::to_string(value)); }

}  // namespace

void PlayOptions::Build(MPanel& page) {
  repeatLabel_ = PageControls::Label(page, MacroPageId::kRepeatLabel, Rect{350, 295, 510, 325}, 316);
  repeat_ = PageControls::Field(page, MacroPageId::kRepeat, Rect{510, 295, 570, 325}, 2, true);
  for (int i = 0; i < 3; ++i) {
    const int top = 345 + 35 * i;
    delay_[i] = PageControls::Radio(page, MacroPageId::kRecordedDelays + i, Rect{350, top, 505, top + 30},
                                    kDelayTexts[i], u"DELAY_TIME");
    loop_[i] = PageControls::Radio(page, MacroPageId::kLoopCount + i, Rect{350, top + 115, 600, top + 145},
                                   kLoopTexts[i], u"LOOP_TYPE");
  }
  // The fixed delay sits beside its own radio.
  fixedDelay_ = PageControls::Field(page, MacroPageId::kFixedDelayField, Rect{510, 415, 570, 445}, 4, true);
  fixedUnit_ = PageControls::Label(page, MacroPageId::kFixedDelayUnit, Rect{575, 415, 615, 445}, 320);
  ShowDefaults();
}

void PlayOptions::ShowDefaults() {
  if (repeat_ != nullptr) repeat_->SetEditText(u"1");
  if (fixedDelay_ != nullptr) fixedDelay_->SetEditText(Decimal(kDefaultFixedDelay));
  Check(MacroPageId::kRecordedDelays);
  Check(MacroPageId::kLoopCount);
  OnDelayChoice(MacroPageId::kRecordedDelays);
}

void PlayOptions::Show(const MacroRecord& macro) {
  ShowDefaults();
  if (repeat_ != nullptr) repeat_->SetEditText(Decimal(std::clamp(macro.playTimes, kMinRepeat, kMaxRepeat)));
  const int delayType = macro.delayType >= 1 && macro.delayType <= 3 ? macro.delayType : 1;
  const std::uint32_t delayRadio = MacroPageId::kRecordedDelays + static_cast<std::uint32_t>(delayType - 1);
  Check(delayRadio);
  if (delayType == 3 && fixedDelay_ != nullptr) fixedDelay_->SetEditText(Decimal(macro.delayTime));
  OnDelayChoice(delayRadio);
  Check(macro.loopType == 16 ? MacroPageId::kLoopHeld
        : macro.loopType == 32 ? MacroPageId::kLoopToggle
                               : MacroPageId::kLoopCount);
}

void PlayOptions::ReadInto(MacroRecord& macro) {
  const int typed = repeat_ != nullptr ? PageControls::LeadingNumber(repeat_->GetEditText(), 0) : kMinRepeat;
  macro.playTimes = std::clamp(typed, kMinRepeat, kMaxRepeat);
  if (repeat_ != nullptr && macro.playTimes != typed) repeat_->SetEditText(Decimal(macro.playTimes));
  macro.delayType = static_cast<int>(ChosenDelayMode());
  if (macro.delayType == static_cast<int>(DelayMode::Fixed)) macro.delayTime = FixedDelay();
  macro.loopType = ChosenLoopType();
}

DelayMode PlayOptions::ChosenDelayMode() const {
  if (delay_[1] != nullptr && delay_[1]->GetCheck() != 0) return DelayMode::None;
  if (delay_[2] != nullptr && delay_[2]->GetCheck() != 0) return DelayMode::Fixed;
  return DelayMode::Measured;
}

int PlayOptions::FixedDelay() const {
  const int typed = fixedDelay_ != nullptr ? PageControls::LeadingNumber(fixedDelay_->GetEditText(), kDefaultFixedDelay)
                                           : kDefaultFixedDelay;
  return std::min(typed, kMaxStepDelayMs);
}

int PlayOptions::ChosenLoopType() const {
  for (int i = 0; i < 3; ++i) {
    if (loop_[i] != nullptr && loop_[i]->GetCheck() != 0) return kLoopTypes[i];
  }
  return 0;
}

void PlayOptions::OnDelayChoice(std::uint32_t radioId) {
  if (fixedDelay_ != nullptr) fixedDelay_->SetEnabled(enabled_ && radioId == MacroPageId::kFixedDelay);
}

void PlayOptions::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (repeat_ != nullptr) repeat_->SetEnabled(enabled);
  for (CRadioButton* radio : delay_) {
    if (radio != nullptr) radio->SetEnabled(enabled);
  }
  for (CRadioButton* radio : loop_) {
    if (radio != nullptr) radio->SetEnabled(enabled);
  }
  OnDelayChoice(ChosenDelayMode() == DelayMode::Fixed ? MacroPageId::kFixedDelay : MacroPageId::kRecordedDelays);
}

void PlayOptions::RefreshTexts() {
  if (repeatLabel_ != nullptr) repeatLabel_->SetTitle(PageControls::Text(316));
  if (fixedUnit_ != nullptr) fixedUnit_->SetTitle(PageControls::Text(320));
  for (int i = 0; i < 3; ++i) {
    if (delay_[i] != nullptr) delay_[i]->SetTitle(PageControls::Text(kDelayTexts[i]));
    if (loop_[i] != nullptr) loop_[i]->SetTitle(PageControls::Text(kLoopTexts[i]));
  }
}

void PlayOptions::Check(std::uint32_t id) {
  CRadioButton* radio = nullptr;
  for (CRadioButton* candidate : {delay_[0], delay_[1], delay_[2], loop_[0], loop_[1], loop_[2]}) {
    if (candidate != nullptr && candidate->GetControlID() == id) radio = candidate;
  }
  if (radio == nullptr) return;
  // A disabled radio refuses checks; the macro's options are shown whether or not they can be edited.
  const bool was = radio->IsEnabled();
  radio->SetEnabled(true);
  radio->SetCheck(1);
  radio->SetEnabled(was);
}

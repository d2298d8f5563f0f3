// The composer below the play options: a key press and release pair, or a
// delay, put before or after the selected step, so a macro can be mended
// without recording it again. The key is captured from the window's own key
// events after the key field is clicked. Mouse buttons are built but not
// offered: playback sends keys only.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Rect.h"

namespace ZephUI {
class MPanel;
class MButton;
class MComboBox;
class MEdit;
class CRadioButton;
}  // namespace ZephUI
class RecordEditor;

class EventComposer {
 public:
  /// Creates the composer's controls on the page panel.
  void Build(ZephUI::MPanel& page, const ZephUI::Rect& client);
  /// Back to a key step before nothing captured.
  void ShowDefaults();
  /// Radio 201 or 203 was clicked: shows the key field or the delay field.
  void OnEventKind(std::uint32_t radioId);
  /// The key field was pressed: the next key typed on the window is captured.
  void BeginCapture();
  /// Ends capturing without a key.
  void EndCapture();
  /// Whether a key is being captured.
  bool Capturing() const { return capturing_; }
  /// A key went down on the window while capturing: shows its name; true when it was taken.
  bool OnKey(int virtualKey, int scanCode);
  /// Button 207: puts the composed step into the editor; true when the steps changed.
  bool Insert(RecordEditor& editor);
  /// Enables or disables the composer.
  void SetEnabled(bool enabled);
  /// Sets the texts again in the current language.
  void RefreshTexts();

  /// The captured key; 0 when none.
  int CapturedKey() const { return capturedKey_; }

 private:
  bool DelayChosen() const;

  ZephUI::MComboBox* where_ = nullptr;
  ZephUI::CRadioButton* kinds_[3] = {};
  ZephUI::MEdit* keyField_ = nullptr;
  ZephUI::MEdit* delayField_ = nullptr;
  ZephUI::MComboBox* mouse_ = nullptr;
  ZephUI::MButton* insert_ = nullptr;
  bool capturing_ = false;
  int capturedKey_ = 0;
  std::u16string capturedName_;
};

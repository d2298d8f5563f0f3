// The lighting page's controls: built once on layout 52, found by id, shown
// and hidden in groups, and the colour picker's sliders and edits kept in
// step with one colour.
#pragma once

#include <cstdint>

#include "zephui/Color.h"
#include "zephui/MPanel.h"
#include "zephui/Rect.h"

namespace ZephUI {
class MDialog;
}

class LightControls {
 public:
  /// Creates every control on layout 52 of `dialog`; false when the layout is missing.
  bool Build(ZephUI::MDialog& dialog, const ZephUI::Rect& client);
  /// The control with this id as a T; null when missing or of another class.
  template <typename T>
  T* Get(std::uint32_t id) const {
    return page_ == nullptr ? nullptr : dynamic_cast<T*>(page_->GetControl(id));
  }
  /// Shows or hides the controls first to last.
  void Show(std::uint32_t first, std::uint32_t last, bool visible) const;
  void Show(std::uint32_t id, bool visible) const { Show(id, id, visible); }
  /// Sets every text again in the current language (list items included).
  void RefreshTexts() const;
  /// The picker's sliders and edits show this colour's red, green and blue.
  void ShowPickerColour(ZephUI::GdiColor colour) const;
  /// The colour of the three edits, each clamped to 0-255 and rewritten when it was outside.
  ZephUI::GdiColor EditsColour() const;
  /// The three sliders' colour.
  ZephUI::GdiColor SlidersColour() const;
  /// A slider's position, or 0 without the slider.
  int SliderValue(std::uint32_t id) const;
  /// Checks the one colour button of a group (by id) and clears the rest of it.
  void CheckColourButton(std::uint32_t id) const;
  /// Checks a radio button (clearing its group).
  void CheckRadio(std::uint32_t id) const;
  /// True when a check or radio button is checked.
  bool IsChecked(std::uint32_t id) const;

 private:
  void BuildShades(const ZephUI::Rect& client);
  void BuildSliders();
  void BuildDirection();
  void BuildColourSets();
  void BuildModeColour();
  void BuildPicker();
  void BuildMusicA();
  void BuildMusicB();
  void BuildAreas();
  void AddText(std::uint32_t id, const ZephUI::Rect& rect, int text);
  void AddSlider(std::uint32_t id, const ZephUI::Rect& rect, int low, int high, int position);
  void AddColourButton(std::uint32_t id, const ZephUI::Rect& rect, std::uint32_t colour, const char16_t* group);
  void AddCombo(std::uint32_t id, const ZephUI::Rect& rect);
  void FillMusicLists() const;

  ZephUI::MPanel* page_ = nullptr;
  int top_ = 0;  // top of the settings area
};

#include "mainwindow/macropage/PageControls.h"

#include "mainwindow/keypage/KeyLabels.h"
#include "zephui/CRadioButton.h"
#include "zephui/Color.h"
#include "zephui/MButton.h"
#include "zephui/MEdit.h"
#include "zephui/MPanel.h"
#include "zephui/MText.h"

using namespace ZephUI;

namespace {

constexpr ArgbColor kWhite{0xFFFFFFFF};

}  // namespace

MText* PageControls::Label(MPanel& page, std::uint32_t id, const Rect& rect, int number) {
  auto* label = dynamic_cast<MText*>(page.CreateControl(u"MText", id, rect, Text(number), true, true));
  if (label != nullptr) label->SetTextColor(kWhite);
  return label;
}

MButton* PageControls::Button(MPanel& page, std::uint32_t id, const Rect& rect, int number) {
  auto* button = dynamic_cast<MButton*>(page.CreateControl(u"MButton", id, rect, Text(number), true, true));
  if (button == nullptr) return nullptr;
  button->SetImage(u"btn_apply.png", 4);
  button->SetTextColor(kWhite);
  return button;
}

MEdit* PageControls::Field(MPanel& page, std::uint32_t id, const Rect& rect, int limit, bool digits) {
  auto* field = dynamic_cast<MEdit*>(page.CreateControl(u"MEdit", id, rect, u"", true, true));
  if (field == nullptr) return nullptr;
  field->SetImage(u"img_edit.png", 4);
  field->SetTextColor(kWhite);
  field->SetLimitText(limit);
  field->SetNumberOnly(digits);
  return field;
}

CRadioButton* PageControls::Radio(MPanel& page, std::uint32_t id, const Rect& rect, int number,
                                  const char16_t* group) {
  auto* radio = dynamic_cast<CRadioButton*>(page.CreateControl(u"CRadioButton", id, rect, Text(number), true, true));
  if (radio == nullptr) return nullptr;
  radio->SetImage(u"btn_radiobox.png", 8);
  radio->SetGroupName(group);
  radio->SetTextColor(kWhite);
  return radio;
}

std::u16string PageControls::Text(int number) { return KeyLabels::Text(number); }

int PageControls::LeadingNumber(const std::u16string& text, int empty) {
  if (text.empty()) return empty;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    if (value > 100000) break;  // far past every limit the page clamps to
    value = value * 10 + (c - u'0');
  }
  return value;
}

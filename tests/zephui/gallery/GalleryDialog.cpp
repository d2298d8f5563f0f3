#include "tests/zephui/gallery/GalleryDialog.h"

#include "zephui/CArea.h"
#include "zephui/CColorButton.h"
#include "zephui/CIconButton.h"
#include "zephui/CTextButton.h"
#include "zephui/CirclePalette.h"
#include "zephui/MButton.h"
#include "zephui/MCheckTypeButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MEdit.h"
#include "zephui/MLevelCtrl.h"
#include "zephui/MListBox.h"
#include "zephui/MPalette.h"
#include "zephui/MPicture.h"
#include "zephui/MProgress.h"
#include "zephui/MSlider.h"
#include "zephui/MSpinButton.h"
#include "zephui/MTabCtrl.h"
#include "zephui/MText.h"
#include "zephui/PaintManager.h"

using namespace ZephUI;

namespace zephuitest {

template <typename T>
T* GalleryDialog::Make(std::u16string_view className, std::uint32_t id, Point origin, const Rect& rect,
                       std::u16string_view text, bool enabled) {
  const Rect placed{rect.left + origin.x, rect.top + origin.y, rect.right + origin.x, rect.bottom + origin.y};
  return dynamic_cast<T*>(CreateControl(className, id, placed, text, true, enabled));
}

void GalleryDialog::InitUI(const Rect& /*clientRect*/) {
  GetPaintManager().SetBackColor(GdiColor(0x302820), GdiColor(0x604830));
  for (int row = 0; row < tilesDown; ++row) {
    for (int column = 0; column < tilesAcross; ++column) {
      const auto block = static_cast<std::uint32_t>(row * tilesAcross + column);
      BuildBlock(Point{column * kBlockWidth, row * kBlockHeight}, block * 100);
    }
  }
}

void GalleryDialog::BuildBlock(Point origin, std::uint32_t firstId) {
  BuildButtons(origin, firstId);
  BuildChoices(origin, firstId);
  BuildValues(origin, firstId);
  BuildLists(origin, firstId);
}

void GalleryDialog::BuildButtons(Point o, std::uint32_t first) {
  Make<MText>(u"MText", first + 20, o, Rect{10, 8, 440, 34}, u"Control gallery: one of each, as the skin draws it");
  if (auto* apply = Make<MButton>(u"MButton", first + kApplyId, o, Rect{10, 40, 110, 72}, u"Apply")) {
    apply->SetImage(u"btn_apply.png", 4);
  }
  if (auto* reset = Make<CTextButton>(u"CTextButton", first + 2, o, Rect{120, 40, 200, 72}, u"Reset")) {
    reset->SetTextButtonColor(ArgbColor(0xFFD0D8E0), ArgbColor(0xFF10A8FD), ArgbColor(0xFF0878B0),
                              ArgbColor(0xFF707880));
  }
  if (auto* off = Make<MButton>(u"MButton", first + 3, o, Rect{210, 40, 310, 72}, u"Disabled", false)) {
    off->SetImage(u"btn_apply.png", 4);
  }
  if (auto* icon = Make<CIconButton>(u"CIconButton", first + 4, o, Rect{320, 41, 350, 71}, u"")) {
    icon->SetImage(u"imgbtn_add.png", 4);
  }
  if (auto* picture = Make<MPicture>(u"MPicture", first + 5, o, Rect{370, 40, 402, 72}, u"")) {
    picture->SetImage(u"logo/logo.png", 1);
  }
  if (auto* area = Make<CArea>(u"CArea", first + 6, o, Rect{460, 84, 610, 110}, u"")) {
    area->SetTransparent(100, 30, GdiColor(0xC08010));
    area->SetFrame(true, ArgbColor(0xFF10A8FD));
  }
}

void GalleryDialog::BuildChoices(Point o, std::uint32_t first) {
  const auto check = [&](std::u16string_view cls, std::uint32_t id, const Rect& r, std::u16string_view text,
                         std::u16string_view skin, int checked) {
    if (auto* box = Make<MCheckTypeButton>(cls, first + id, o, r, text)) {
      if (!skin.empty()) box->SetImage(skin, 8);
      box->SetCheck(checked);
    }
  };
  check(u"CCheckButton", 7, Rect{10, 84, 120, 104}, u"Checked", u"btn_checkbox.png", 1);
  check(u"CCheckButton", 8, Rect{130, 84, 240, 104}, u"Unchecked", u"btn_checkbox.png", 0);
  check(u"CRadioButton", 9, Rect{250, 84, 340, 104}, u"Radio A", u"btn_radiobox.png", 1);
  check(u"CRadioButton", 10, Rect{350, 84, 440, 104}, u"Radio B", u"btn_radiobox.png", 0);
  check(u"CSwitchButton", 11, Rect{410, 46, 450, 66}, u"", u"", 1);
  if (auto* swatch = Make<CColorButton>(u"CColorButton", first + 12, o, Rect{460, 44, 484, 68}, u"")) {
    swatch->SetColor(GdiColor::FromRgb(220, 40, 60));
    swatch->SetVisibleBorder(true);
  }
}

void GalleryDialog::BuildValues(Point o, std::uint32_t first) {
  if (auto* slider = Make<MSlider>(u"MSlider", first + 13, o, Rect{10, 114, 250, 150}, u"")) {
    slider->SetImage(u"img_slider_back.png", 1);
    slider->SetThumbImage(u"img_thumb.png");
    slider->SetProgress(60);
  }
  if (auto* spin = Make<MSpinButton>(u"MSpinButton", first + 14, o, Rect{260, 120, 340, 144}, u"")) {
    spin->SetRange(1, 12);
    spin->SetCurValue(7);
  }
  if (auto* progress = Make<MProgress>(u"MProgress", first + 15, o, Rect{10, 163, 250, 179}, u"")) {
    progress->SetProgress(40);
  }
  if (auto* level = Make<MLevelCtrl>(u"MLevelCtrl", first + 16, o, Rect{260, 156, 450, 186}, u"")) {
    level->SetLevelValue(3);
  }
  if (auto* tabs = Make<MTabCtrl>(u"MTabCtrl", first + 17, o, Rect{360, 112, 610, 148}, u"")) {
    tabs->SetTabCtrlHeight(36);  // without icons the strip has no height of its own
    tabs->InsertItem(1, u"Lighting", u"", nullptr, -1, 120);
    tabs->InsertItem(2, u"Macros", u"", nullptr, -1, 120);
    tabs->SetSelectItem(0);
  }
}

void GalleryDialog::BuildLists(Point o, std::uint32_t first) {
  if (auto* list = Make<MListBox>(u"MListBox", first + 18, o, Rect{10, 196, 170, 346}, u"")) {
    for (const auto* row : {u"Profile one", u"Profile two", u"Profile three"}) list->AddString(row);
    list->SetCurSel(1);
  }
  Make<MPalette>(u"MPalette", first + 19, o, Rect{180, 196, 310, 346}, u"");
  if (auto* wheel = Make<CirclePalette>(u"CirclePalette", first + 21, o, Rect{318, 196, 454, 332}, u"")) {
    wheel->SetImage(u"img_circlepalette.png", 1);
  }
  auto* field = Make<MEdit>(u"MEdit", first + kEditId, o, Rect{460, 156, 610, 186}, u"Hello");
  if (field != nullptr) field->SetImage(u"img_edit.png", 4);
  auto* box = Make<MComboBox>(u"MComboBox", first + kComboId, o, Rect{460, 196, 610, 234}, u"");
  if (box != nullptr) {
    for (const auto* item : {u"Red", u"Green", u"Blue"}) box->AddItem(item, 0, u"", ArgbColor());
    box->SetImage(u"img_combobox.png", 4);
    box->SetCurSel(0);
  }
  if (first == 0) {
    edit = field;
    combo = box;
  }
}

LRESULT GalleryDialog::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  notes.push_back(Note{controlId, msg, wParam});
  return 0;
}

LRESULT GalleryDialog::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kMenuReport) menuReports.push_back(lParam);
  return MDialog::OnWindowMessage(msg, wParam, lParam);
}

Rect GalleryDialog::ControlRect(std::uint32_t id) {
  const MControl* control = GetControl(id);
  return control != nullptr ? control->GetRect() : Rect{};
}

}  // namespace zephuitest

#include "mainwindow/macropage/EventComposer.h"

#include "device/KeyCodes.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/PageControls.h"
#include "mainwindow/macropage/RecordEditor.h"
#include "zephui/CRadioButton.h"
#include "zephui/Color.h"
#include "zephui/MButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MEdit.h"
#include "zephui/MPanel.h"

using namespace ZephUI;

namespace {

constexpr ArgbColor kWhite{0xFFFFFFFF};
constexpr int kKindTexts[3] = {304, 305, 306};

MComboBox* Combo(MPanel& page, std::uint32_t id, const Rect& rect, bool visible) {
  auto* combo = dynamic_cast<MComboBox*>(page.CreateControl(u"MComboBox", id, rect, u"", visible, true));
  if (combo == nullptr) return nullptr;
  combo->SetImage(u"img_combobox.png", 4);
  combo->SetTextColor(kWhite);
  return combo;
}

}  // namespace

void EventComposer::Build(MPanel& page, const Rect&) {
  for (int i = 0; i < 3; ++i) {
    const int left = 350 + 120 * i;
    kinds_[i] = PageControls::Radio(page, MacroPageId::kKeyEvent + static_cast<std::uint32_t>(i),
                                    Rect{left, 585, left + 115, 615}, kKindTexts[i], u"MACRO_EVENT");
  }
  // Mouse steps would not play: the kind is kept off the page, its delay twin takes the slot.
  if (kinds_[1] != nullptr) kinds_[1]->SetVisible(false);
  if (kinds_[2] != nullptr) kinds_[2]->SetRect(Rect{470, 585, 585, 615});
  where_ = Combo(page, MacroPageId::kInsertWhere, Rect{350, 625, 470, 660}, true);
  if (where_ != nullptr) {
    where_->AddItem(PageControls::Text(302), 0, u"", kWhite);
    where_->AddItem(PageControls::Text(303), 0, u"", kWhite);
  }
  keyField_ = PageControls::Field(page, MacroPageId::kKeyField, Rect{480, 625, 620, 660}, 60, false);
  if (keyField_ != nullptr) keyField_->SetReadOnly(true);  // filled by the captured key, never typed into
  delayField_ = PageControls::Field(page, MacroPageId::kDelayField, Rect{480, 625, 620, 660}, 4, true);
  mouse_ = Combo(page, MacroPageId::kMouseList, Rect{480, 625, 620, 660}, false);
  if (mouse_ != nullptr) {
    for (int i = 0; i < 3; ++i) mouse_->AddItem(PageControls::Text(307 + i), i + 1, u"", kWhite);
  }
  insert_ = PageControls::Button(page, MacroPageId::kInsert, Rect{630, 625, 730, 660}, 310);
  ShowDefaults();
}

void EventComposer::ShowDefaults() {
  if (where_ != nullptr) where_->SetCurSel(1);
  if (kinds_[0] != nullptr) {
    const bool was = kinds_[0]->IsEnabled();
    kinds_[0]->SetEnabled(true);
    kinds_[0]->SetCheck(1);
    kinds_[0]->SetEnabled(was);
  }
  if (keyField_ != nullptr) keyField_->SetEditText(u"");
  if (delayField_ != nullptr) delayField_->SetEditText(u"10");
  capturedKey_ = 0;
  capturedName_.clear();
  capturing_ = false;
  OnEventKind(MacroPageId::kKeyEvent);
}

void EventComposer::OnEventKind(std::uint32_t radioId) {
  const bool delay = radioId == MacroPageId::kDelayEvent;
  if (keyField_ != nullptr) keyField_->SetVisible(!delay);
  if (delayField_ != nullptr) delayField_->SetVisible(delay);
  if (delay) capturing_ = false;
}

void EventComposer::BeginCapture() { capturing_ = true; }

void EventComposer::EndCapture() { capturing_ = false; }

bool EventComposer::OnKey(int virtualKey, int scanCode) {
  if (!capturing_) return false;
  std::u16string name = KeyCodes::keyDisplayName(virtualKey, scanCode);
  // A key without a name cannot be shown or played; wait for another.
  if (name.empty()) return true;
  capturedKey_ = KeyCodes::recordedVirtualKey(virtualKey);
  capturedName_ = std::move(name);
  if (keyField_ != nullptr) keyField_->SetEditText(capturedName_);
  capturing_ = false;
  return true;
}

bool EventComposer::DelayChosen() const { return kinds_[2] != nullptr && kinds_[2]->GetCheck() != 0; }

bool EventComposer::Insert(RecordEditor& editor) {
  capturing_ = false;
  const InsertPlace place = where_ != nullptr && where_->GetCurSel() == 0 ? InsertPlace::Before : InsertPlace::After;
  if (DelayChosen()) {
    const int delay = delayField_ != nullptr ? PageControls::LeadingNumber(delayField_->GetEditText(), 10) : 10;
    return editor.SetDelayNear(delay, place);
  }
  if (capturedKey_ == 0) return false;
  editor.InsertKey(capturedKey_, capturedName_, place);
  return true;
}

void EventComposer::SetEnabled(bool enabled) {
  if (!enabled) capturing_ = false;
  for (CRadioButton* kind : kinds_) {
    if (kind != nullptr) kind->SetEnabled(enabled);
  }
  for (MControl* control : {static_cast<MControl*>(where_), static_cast<MControl*>(keyField_),
                            static_cast<MControl*>(delayField_), static_cast<MControl*>(insert_)}) {
    if (control != nullptr) control->SetEnabled(enabled);
  }
}

void EventComposer::RefreshTexts() {
  for (int i = 0; i < 3; ++i) {
    if (kinds_[i] != nullptr) kinds_[i]->SetTitle(PageControls::Text(kKindTexts[i]));
  }
  if (insert_ != nullptr) insert_->SetTitle(PageControls::Text(310));
  // The lists' rows are texts too; the chosen row stays chosen.
  for (int i = 0; i < 2 && where_ != nullptr; ++i) where_->SetItemText(i, PageControls::Text(302 + i));
  for (int i = 0; i < 3 && mouse_ != nullptr; ++i) mouse_->SetItemText(i, PageControls::Text(307 + i));
}

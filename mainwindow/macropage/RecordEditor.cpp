#include "mainwindow/macropage/RecordEditor.h"

#include <algorithm>
#include <utility>

#include "device/KeyCodes.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/PageControls.h"
#include "store/MacroLimits.h"
#include "zephui/CArea.h"
#include "zephui/CImageButton.h"
#include "zephui/CRecordList.h"
#include "zephui/Color.h"
#include "zephui/MPanel.h"
#include "zephui/MText.h"
#include "zephui/RecordItem.h"

using namespace ZephUI;

namespace {

constexpr GdiColor kShadeColour{0x646464};
constexpr int kShadeAlpha = 40;
constexpr int kHeaderTexts[3] = {335, 336, 337};
constexpr int kButtonTips[4] = {325, 326, 327, 312};

}  // namespace

void RecordEditor::Build(MPanel& page, const Rect& client) {
  const int w = client.Width();
  const int h = client.Height();
  for (const auto& [id, rect] : {std::pair{MacroPageId::kRecordShade, Rect{750, 80, w - 1, h - 80}},
                                 std::pair{MacroPageId::kHeaderShade, Rect{750, 80, w - 1, 110}}}) {
    if (auto* shade = dynamic_cast<CArea*>(page.CreateControl(u"CArea", id, rect, u"", true, true))) {
      shade->SetTransparent(kShadeAlpha, kShadeAlpha, kShadeColour);
    }
  }
  title_ = PageControls::Label(page, MacroPageId::kRecordTitle, Rect{750, 50, 910, 80}, 323);
  const Rect headerRects[3] = {Rect{750, 80, 910, 110}, Rect{930, 80, 1030, 110}, Rect{1050, 80, 1170, 110}};
  for (int i = 0; i < 3; ++i) {
    headers_[i] = PageControls::Label(page, MacroPageId::kHeaderKey + static_cast<std::uint32_t>(i), headerRects[i],
                                      kHeaderTexts[i]);
    if (headers_[i] != nullptr) headers_[i]->SetAlignment(1);  // over the list's centred columns
  }
  list_ = dynamic_cast<CRecordList*>(page.CreateControl(u"CRecordList", MacroPageId::kRecords,
                                                        Rect{750, 110, w - 1, h - 80}, u"", true, true));
  if (list_ != nullptr) list_->SetTextColor(ArgbColor(0xFFFFFFFF));
  const char16_t* images[4] = {u"btn_record_time.png", u"btn_record_up.png", u"btn_record_down.png",
                               u"btn_record_del.png"};
  // Small buttons in the header's right end.
  for (int i = 0; i < 4; ++i) {
    AddButton(page, MacroPageId::kRecordDelay + static_cast<std::uint32_t>(i), i, images[i], w - 93 + 22 * i);
  }
}

void RecordEditor::AddButton(MPanel& page, std::uint32_t id, int index, const char16_t* image, int left) {
  auto* button = dynamic_cast<CImageButton*>(page.CreateControl(u"CImageButton", id,
                                                                Rect{left, 85, left + 20, 105}, u"", true, true));
  if (button == nullptr) return;
  button->SetImage(image, 4);
  button->SetTooltip(PageControls::Text(kButtonTips[index]));
  buttons_[index] = button;
}

void RecordEditor::Clear() {
  if (list_ != nullptr) list_->DeleteAllItems();
  changed_ = false;
}

void RecordEditor::Show(const std::vector<StepRecord>& steps) {
  Rebuild(steps, -1);
  changed_ = false;
}

void RecordEditor::Rebuild(const std::vector<StepRecord>& steps, int select) {
  if (list_ == nullptr) return;
  list_->DeleteAllItems();
  for (const StepRecord& step : steps) list_->AddString(step.description, step.type, step.value, step.delayTime);
  if (select >= 0 && select < list_->GetItemCount()) list_->SetCurSel(select);
}

std::vector<StepRecord> RecordEditor::Steps(int macroId) const {
  std::vector<StepRecord> steps;
  if (list_ == nullptr) return steps;
  int index = 0;
  for (const RecordItem* item : list_->GetRecordItems()) {
    StepRecord step;
    step.macroId = macroId;
    step.type = item->type;
    step.recordIndex = index++;
    step.value = item->keyCode;
    step.delayTime = std::clamp(item->delay, 0, kMaxStepDelayMs);
    step.description = item->keyName;
    steps.push_back(std::move(step));
  }
  return steps;
}

bool RecordEditor::MoveUp() {
  const int selected = list_ != nullptr ? list_->GetCurSel() : -1;
  if (selected <= 0) return false;
  list_->SwapItem(selected, selected - 1);
  list_->SetCurSel(selected - 1);
  changed_ = true;
  return true;
}

bool RecordEditor::MoveDown() {
  const int selected = list_ != nullptr ? list_->GetCurSel() : -1;
  if (selected < 0 || selected + 1 >= list_->GetItemCount()) return false;
  list_->SwapItem(selected, selected + 1);
  list_->SetCurSel(selected + 1);
  changed_ = true;
  return true;
}

bool RecordEditor::DeleteSelected() {
  const int selected = list_ != nullptr ? list_->GetCurSel() : -1;
  if (selected < 0) return false;
  list_->DeleteItem(selected);
  list_->SetCurSel(std::min(selected, list_->GetItemCount() - 1));
  changed_ = true;
  return true;
}

void RecordEditor::InsertKey(int virtualKey, const std::u16string& name, InsertPlace place) {
  if (list_ == nullptr || virtualKey == 0) return;
  std::vector<StepRecord> steps = Steps(0);
  if (static_cast<int>(steps.size()) + 2 > kMaxMacroSteps) return;
  const int selected = list_->GetCurSel();
  int at = static_cast<int>(steps.size());
  if (selected >= 0) at = place == InsertPlace::Before ? selected : selected + 1;
  const int code = KeyCodes::recordedVirtualKey(virtualKey);
  StepRecord press{0, 0, static_cast<int>(StepType::KeyPress), 0, code, 0, name};
  StepRecord release{0, 0, static_cast<int>(StepType::KeyRelease), 0, code, 0, name};
  steps.insert(steps.begin() + at, {press, release});
  Rebuild(steps, at + 1);
  changed_ = true;
}

bool RecordEditor::SetDelayNear(int delayMs, InsertPlace place) {
  if (list_ == nullptr) return false;
  const int selected = list_->GetCurSel();
  const int row = place == InsertPlace::Before ? selected - 1 : selected;
  if (selected < 0 || row < 0) return false;
  std::vector<StepRecord> steps = Steps(0);
  steps[static_cast<std::size_t>(row)].delayTime = std::clamp(delayMs, 0, kMaxStepDelayMs);
  Rebuild(steps, selected);
  changed_ = true;
  return true;
}

void RecordEditor::SetEnabled(bool enabled) {
  if (list_ != nullptr) list_->SetEnabled(enabled);
  for (CImageButton* button : buttons_) {
    if (button != nullptr) button->SetEnabled(enabled);
  }
}

void RecordEditor::RefreshTexts() {
  if (title_ != nullptr) title_->SetTitle(PageControls::Text(323));
  for (int i = 0; i < 3; ++i) {
    if (headers_[i] != nullptr) headers_[i]->SetTitle(PageControls::Text(kHeaderTexts[i]));
  }
  for (int i = 0; i < 4; ++i) {
    if (buttons_[i] != nullptr) buttons_[i]->SetTooltip(PageControls::Text(kButtonTips[i]));
  }
}

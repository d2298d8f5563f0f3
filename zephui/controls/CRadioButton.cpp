#include "zephui/CRadioButton.h"

#include <utility>

#include "controls/ControlGroup.h"

namespace ZephUI {

CRadioButton::CRadioButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                           bool enabled)
    : MCheckTypeButton(parent, id, rect, std::move(title), visible, enabled) {}

CRadioButton::~CRadioButton() = default;

std::u16string_view CRadioButton::GetClassNameW() const { return u"RadioButton"; }

int CRadioButton::SetCheck(int check) {
  if (!IsEnabled()) return check_;
  SetControlCheck(check);
  if (check_ != 0) UncheckGroup();
  return check_;
}

void CRadioButton::SetGroupName(std::u16string name) { groupName_ = std::move(name); }

std::u16string CRadioButton::GetGroupName() const { return groupName_; }

void CRadioButton::Choose() {
  SetControlCheck(1);
  UncheckGroup();
}

void CRadioButton::UncheckGroup() {
  for (MControl* other : ControlGroup::Others(*this)) {
    auto* radio = dynamic_cast<CRadioButton*>(other);
    if (radio != nullptr && radio->groupName_ == groupName_) radio->SetControlCheck(0);
  }
}

}  // namespace ZephUI

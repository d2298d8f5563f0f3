#include "zephui/CCheckButton.h"

#include <utility>

namespace ZephUI {

CCheckButton::CCheckButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                           bool enabled)
    : MCheckTypeButton(parent, id, rect, std::move(title), visible, enabled) {}

CCheckButton::~CCheckButton() = default;

void CCheckButton::Choose() { SetControlCheck(check_ == 0 ? 1 : 0); }

}  // namespace ZephUI

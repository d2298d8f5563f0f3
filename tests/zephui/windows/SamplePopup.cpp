#include "tests/zephui/windows/SamplePopup.h"

using namespace ZephUI;

namespace zephuitest {

SamplePopup::~SamplePopup() {
  if (deleted != nullptr) *deleted = true;
}

void SamplePopup::InitUI(const Rect& /*clientRect*/) {
  CreateControl(u"SampleButton", kButtonId, kButtonRect, u"Pick", true, true);
}

void SamplePopup::UISize(const Rect& clientRect) { sizeRects.push_back(clientRect); }

LRESULT SamplePopup::OnMessage(std::uint32_t controlId, UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  notified.push_back(controlId);
  return 0;
}

void SamplePopup::PostNcDestroy() {
  ++finalCalls;
  if (deleteAtEnd) delete this;
}

}  // namespace zephuitest

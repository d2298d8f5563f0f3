#include "tests/zephui/windows/SampleDialog.h"

#include "zephui/MControlFont.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace zephuitest {

SampleDialog::~SampleDialog() {
  if (deleted != nullptr) *deleted = true;
}

void SampleDialog::InitUI(const Rect& clientRect) {
  initRects.push_back(clientRect);
  managerReadyAtInit = GetPaintManager().IsInitialised();
  if (!buildControls) return;
  CreateControl(u"SampleText", kTitleId, Rect{40, 40, 320, 80}, u"Sample dialog", true, true);
  auto* apply = static_cast<MControlFont*>(CreateControl(u"SampleButton", kApplyId, kApplyRect, u"Apply", true, true));
  auto* ok = static_cast<MControlFont*>(CreateControl(u"SampleButton", kOkId, kOkRect, u"OK", true, true));
  if (apply != nullptr) apply->SetImage(u"btn_apply.png", 4);
  if (ok != nullptr) ok->SetTextColor(ArgbColor(0xFFFFFFFF));
}

void SampleDialog::UISize(const Rect& clientRect) { sizeRects.push_back(clientRect); }

LRESULT SampleDialog::OnMessage(std::uint32_t controlId, UINT msg, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  notifications.push_back(Notification{controlId, msg});
  if (onNotify) onNotify(controlId, msg);
  if (controlId == kOkId && msg == NOTIFY_CLICKED) DoOK();
  return 0;
}

LRESULT SampleDialog::OnClose(WPARAM wParam, LPARAM lParam) {
  closeCodes.push_back(wParam);
  return MDialog::OnClose(wParam, lParam);
}

LRESULT SampleDialog::OnLButtonDown(std::uint32_t /*flags*/, Point point) {
  presses.push_back(point);
  return 0;
}

void SampleDialog::PostNcDestroy() {
  ++finalCalls;
  windowGoneAtFinal = GetSafeHwnd() == nullptr;
  if (deleteAtEnd) delete this;
}

}  // namespace zephuitest

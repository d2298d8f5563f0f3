#include "zephui/CComboBoxWnd.h"

#include "zephui/CComboBoxList.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {

CComboBoxWnd::CComboBoxWnd(MObject* owner) : MPopupWnd(owner) {}

CComboBoxWnd::~CComboBoxWnd() = default;

Rect CComboBoxWnd::ListRect(const Rect& clientRect) {
  return Rect{clientRect.left + 3, clientRect.top + 6, clientRect.right - 3, clientRect.bottom - 6};
}

void CComboBoxWnd::InitUI(const Rect& clientRect) {
  list_ = dynamic_cast<CComboBoxList*>(CreateControl(u"CComboBoxList", COMBO_LIST_ID, ListRect(clientRect), u"",
                                                     true, true));
}

void CComboBoxWnd::UISize(const Rect& clientRect) {
  if (list_ != nullptr) list_->SetRect(ListRect(clientRect));
}

LRESULT CComboBoxWnd::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (controlId != COMBO_LIST_ID) return 0;
  if (msg == NOTIFY_CLICKED) {
    CloseWindow();
    SendMessageToParent(NOTIFY_CLICKED, wParam, lParam);
  } else if (msg == NOTIFY_KEYDOWN && wParam == VK_ESCAPE) {
    CloseWindow();
  }
  return 0;
}

// Nothing of the popup is touched after it deleted itself.
void CComboBoxWnd::PostNcDestroy() {
  list_ = nullptr;
  SendMessageToParent(COMBO_POPUP_CLOSED, 0, 0);
  delete this;
}

CComboBoxList* CComboBoxWnd::GetList() const { return list_; }

void CComboBoxWnd::DetachOwner() { owner_ = nullptr; }

}  // namespace ZephUI

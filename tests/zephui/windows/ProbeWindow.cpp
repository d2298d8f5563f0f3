#include "tests/zephui/windows/ProbeWindow.h"

#include <algorithm>

#include "zephui/MessageCodes.h"

using namespace ZephUI;

namespace zephuitest {

LRESULT ProbeWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  messages.push_back(msg);
  const auto it = handlers_.find(msg);
  if (it != handlers_.end()) return it->second(wParam, lParam);
  return MWindow::OnWindowMessage(msg, wParam, lParam);
}

bool ProbeWindow::PreTranslateMessage(const MSG& msg) {
  offered.push_back(msg.message);
  return consume_ && consume_(msg);
}

int ProbeWindow::OnInitDialog() {
  ++initCalls;
  createdBeforeInit = Saw(WM_CREATE);
  return 1;
}

void ProbeWindow::OnDestroyMessage(HWND hwnd) {
  destroyed.push_back(hwnd);
  handleAtDestroy = GetSafeHwnd();
}

bool ProbeWindow::Saw(UINT msg) const { return std::find(messages.begin(), messages.end(), msg) != messages.end(); }

}  // namespace zephuitest

#include "mainwindow/WaitDlg.h"

#include "zephui/CGifPicture.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

using namespace ZephUI;

namespace {

constexpr int kSize = 102;
constexpr std::uint32_t kSpinnerId = 30;
constexpr std::uint32_t kWindowStyle = 0x96020000;  // popup, visible, clipping, minimise box
constexpr GdiColor kFill{0x333333};

// The rectangle of the given size centred on the owner's window (on the screen without one).
Rect CentredOn(HWND owner, int size) {
  Rect area = GetWorkArea();
  if (owner != nullptr) GetWindowRect(owner, area);
  const int left = area.left + (area.Width() - size) / 2;
  const int top = area.top + (area.Height() - size) / 2;
  return Rect{left, top, left + size, top + size};
}

}  // namespace

std::uint32_t WaitDlg::Run(HWND owner) {
  if (Create(owner, u"WaitDlg", kWindowStyle, WS_EX_TOOLWINDOW, CentredOn(owner, kSize)) == nullptr) return 0;
  return ShowModal(SW_SHOW);
}

int WaitDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  GetPaintManager().SetBackColor(kFill, kFill);
  SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetMTimer(10);
  EnableWndDrag(true);
  return 1;
}

void WaitDlg::InitUI(const Rect&) {
  SetLayeredWindow(true);
  auto* spinner = dynamic_cast<CGifPicture*>(CreateControl(u"CGifPicture", kSpinnerId, Rect{1, 1, 101, 101}, u"", true, true));
  if (spinner == nullptr) return;
  spinner->SetImage(u"loading.gif", 1);
  spinner->SetRunState(true, 0);
  spinner->AddMTimer();
}

void WaitDlg::UISize(const Rect&) {}

LRESULT WaitDlg::OnMessage(std::uint32_t, UINT, WPARAM, LPARAM) { return 0; }

LRESULT WaitDlg::OnDestroy() { return 0; }

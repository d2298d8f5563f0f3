// MWindow: centring, bringing to the front and the icon.
#include "zephui/MWindow.h"

#include "zephui/Window.h"

namespace ZephUI {
namespace {

bool Live(HWND hwnd) { return hwnd != nullptr && IsWindow(hwnd); }

// Left or top edge of a box of `size` centred on [from, to), then pushed back inside [low, high).
int CentredInside(int from, int to, int size, int low, int high) {
  int edge = (from + to) / 2 - size / 2;
  if (edge + size > high) edge = high - size;
  if (edge < low) edge = low;
  return edge;
}

struct Placement {
  Rect area;    // the window stays inside
  Rect centre;  // the window is centred on
};

// A child is centred in its parent's client area (or on `other`, seen from the parent).
Placement ForChild(HWND hwnd, HWND other) {
  Placement p;
  const HWND parent = GetParent(hwnd);
  ZephUI::GetClientRect(parent, p.area);
  p.centre = p.area;
  if (other != nullptr && other != parent && ZephUI::GetWindowRect(other, p.centre)) {
    ZephUI::ScreenToClient(parent, p.centre);
  }
  return p;
}

// A top-level window is centred on a visible, restored reference window and kept on that window's
// monitor, else centred on the work area of the monitor nearest to the window itself.
Placement ForTopLevel(HWND hwnd, HWND reference) {
  Placement p;
  const bool usable = Live(reference) && IsWindowVisible(reference) && !IsIconic(reference);
  if (usable && ZephUI::GetWindowRect(reference, p.centre)) {
    p.area = GetMonitorWorkArea(reference);
    return p;
  }
  p.area = GetMonitorWorkArea(hwnd);
  p.centre = p.area;
  return p;
}

}  // namespace

void MWindow::CenterWindow(HWND other) {
  if (!Live(hwnd_)) return;
  const bool child = (GetWindowStyle(hwnd_) & WS_CHILD) != 0;
  const Placement p = child ? ForChild(hwnd_, other) : ForTopLevel(hwnd_, other != nullptr ? other : GetParent(hwnd_));
  Rect self;
  ZephUI::GetWindowRect(hwnd_, self);
  const int x = CentredInside(p.centre.left, p.centre.right, self.Width(), p.area.left, p.area.right);
  const int y = CentredInside(p.centre.top, p.centre.bottom, self.Height(), p.area.top, p.area.bottom);
  ZephUI::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop() {
  if (!Live(hwnd_)) return;
  SetForegroundWindow(hwnd_);
  ZephUI::ShowWindow(hwnd_, ZephUI::IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
}

// The window system shows no per-window icon; the resource id is kept with the window for when it does.
void MWindow::SetIcon(int resourceId) {
  if (Live(hwnd_)) SetProp(hwnd_, u"ZephUI.Icon", resourceId);
}

}  // namespace ZephUI

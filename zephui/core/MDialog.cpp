// MDialog: construction, the object face, message routing and the life of its window.
#include "zephui/MDialog.h"

#include "core/WindowClassShared.h"
#include "zephui/MControl.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kClassSpecificStyle = 0x8;

}  // namespace

MDialog::MDialog() : manager_(std::make_unique<PaintManager>(this)) {}

// The window goes first, while the dialog's handlers and manager still exist.
MDialog::~MDialog() {
  if (hwnd_ != nullptr) ZephUI::DestroyWindow(hwnd_);
}

std::u16string_view MDialog::GetClassNameW() const { return u"MDialog"; }

LRESULT MDialog::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return OnMessage(controlId, msg, wParam, lParam);
}

LRESULT MDialog::OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) {
  return manager_->OnControlUpdate(rect, reset, control);
}

LRESULT MDialog::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return WindowClassShared::Dispatch(*this, msg, wParam, lParam);
}

bool MDialog::RouteToHandlers(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return WindowClassShared::ToHandlers(*this, msg, wParam, lParam, result);
}

bool MDialog::PreTranslateMessage(const MSG& msg) { return manager_->PreTranslateMessage(msg); }

int MDialog::OnInitDialog() {
  manager_->Init(hwnd_, this);
  GetClientRect(clientRect_);
  InitUI(clientRect_);
  return 1;
}

void MDialog::OnDestroyMessage(HWND hwnd) { WindowClassShared::Destroyed(*this, hwnd); }

LRESULT MDialog::OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
  PostMessageW(WM_CLOSE, wParam, lParam);
  return 1;
}

LRESULT MDialog::OnCreate(const CREATESTRUCT* /*create*/) {
  ModifyStyle(WS_CAPTION | WS_THICKFRAME, WS_CLIPCHILDREN | WS_CLIPSIBLINGS | kClassSpecificStyle);
  // A dialog stays a dialog to the window manager even as an owned tool window (a message box).
  ModifyExStyle(0, WS_EX_DLGMODALFRAME);
  return 1;
}

LRESULT MDialog::OnSize(std::uint32_t type, int /*width*/, int /*height*/) {
  if (type != SIZE_MINIMIZED) SetupBackTranslucent();
  GetClientRect(clientRect_);
  if (clientRect_.Width() > 1 && clientRect_.Height() > 1) UISize(clientRect_);
  InvalidateRect(nullptr, false);
  return 0;
}

void MDialog::SetupBackTranslucent() { WindowClassShared::ApplyTranslucency(*this); }

void MDialog::OnMinimize() { ShowWindow(SW_SHOWMINIMIZED); }

void MDialog::OnMaximize() {
  if (hwnd_ != nullptr) ShowWindow(IsZoomed(hwnd_) ? SW_RESTORE : SW_SHOWMAXIMIZED);
}

Point MDialog::GetAirBladderPoint(MControl* control, int type) {
  if (control == nullptr || type < 0 || type > 2) return Point{};
  const Rect rect = control->GetRect();
  const int xs[] = {rect.left, rect.left + rect.Width() / 2, rect.right};
  Point point{xs[type], rect.bottom};
  if (!ClientToScreen(point)) return Point{};
  return point;
}

}  // namespace ZephUI

// MPopupWnd: construction, the object face, message routing, the life of its
// window and closing itself when it loses activation.
#include "zephui/MPopupWnd.h"

#include "core/WindowClassShared.h"
#include "zephui/MControl.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kClassSpecificStyle = 0x8;

}  // namespace

MPopupWnd::MPopupWnd(MObject* owner) : owner_(owner), manager_(std::make_unique<PaintManager>(this)) {}

// The window goes first, while the popup's handlers and manager still exist.
MPopupWnd::~MPopupWnd() {
  if (hwnd_ != nullptr) ZephUI::DestroyWindow(hwnd_);
}

LRESULT MPopupWnd::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return OnMessage(controlId, msg, wParam, lParam);
}

LRESULT MPopupWnd::OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) {
  return manager_->OnControlUpdate(rect, reset, control);
}

LRESULT MPopupWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return WindowClassShared::Dispatch(*this, msg, wParam, lParam);
}

bool MPopupWnd::PreTranslateMessage(const MSG& msg) { return manager_->PreTranslateMessage(msg); }

int MPopupWnd::OnInitDialog() {
  manager_->Init(hwnd_, this);
  manager_->EnableWndDrag(false);
  Rect client;
  GetClientRect(client);
  InitUI(client);
  return 1;
}

void MPopupWnd::OnDestroyMessage(HWND hwnd) { WindowClassShared::Destroyed(*this, hwnd); }

MObject* MPopupWnd::GetParent() const { return owner_; }

LRESULT MPopupWnd::OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
  PostMessageW(WM_CLOSE, wParam, lParam);
  return 1;
}

void MPopupWnd::CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

LRESULT MPopupWnd::OnCreate(const CREATESTRUCT* /*create*/) {
  ModifyStyle(WS_CAPTION | WS_THICKFRAME, WS_CLIPCHILDREN | WS_CLIPSIBLINGS | kClassSpecificStyle);
  if (hwnd_ != nullptr) SetWindowExStyle(hwnd_, WS_EX_TOOLWINDOW);
  return 1;
}

LRESULT MPopupWnd::OnSize(std::uint32_t /*type*/, int /*width*/, int /*height*/) {
  Rect client;
  GetClientRect(client);
  UISize(client);
  InvalidateRect(nullptr, false);
  return 0;
}

LRESULT MPopupWnd::OnNcActivate(bool active) {
  if (!active) CloseWindow();
  return 1;
}

// The default procedure sends the move and size messages after this handler.
LRESULT MPopupWnd::OnWindowPosChanged(WINDOWPOS* position) {
  InvalidateRect(nullptr, false);
  if (position != nullptr) OnSize(SIZE_RESTORED, position->cx, position->cy);
  return 1;
}

void MPopupWnd::SetupBackTranslucent() { WindowClassShared::ApplyTranslucency(*this); }

void MPopupWnd::SetupRegion(int diameter) {
  if (hwnd_ != nullptr) SetWindowRoundRegion(hwnd_, diameter);
}

// A control owner hears the popup on its OnMessage; a dialog's object face passes it to its own.
LRESULT MPopupWnd::SendMessageToParent(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (owner_ == nullptr) return 0;
  if (auto* control = dynamic_cast<MControl*>(owner_)) return control->OnMessage(0, msg, wParam, lParam);
  return owner_->OnBaseMessage(0, msg, wParam, lParam);
}

}  // namespace ZephUI

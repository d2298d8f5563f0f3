// Tray icons, and clicking them on the headless backend.
#include "backend/TrayIconImpl.h"
#include "backend/headless/HeadlessTray.h"
#include "zephui/Headless.h"
#include "zephui/MessageCodes.h"

namespace ZephUI {

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage) : impl_(std::make_unique<Impl>(owner, id, callbackMessage)) {}

TrayIcon::~TrayIcon() = default;

TrayPresence TrayIcon::Add(const std::string& iconPath, const std::u16string& tip) { return impl_->Add(iconPath, tip); }

void TrayIcon::SetTip(const std::u16string& tip) { impl_->SetTip(tip); }

void TrayIcon::Remove() { impl_->Remove(); }

TrayPresence TrayIcon::Presence() const { return impl_->Presence(); }

namespace Headless {

bool ClickTrayIcon(HWND owner, Button button) {
  if (!IsActive()) return false;
  switch (button) {
    case Button::Left: return Backend::HeadlessTray::Get().Click(owner, WM_LBUTTONDOWN);
    case Button::Right: return Backend::HeadlessTray::Get().Click(owner, WM_RBUTTONUP);
    default: return false;
  }
}

}  // namespace Headless
}  // namespace ZephUI

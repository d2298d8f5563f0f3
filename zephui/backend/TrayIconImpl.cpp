#include "backend/TrayIconImpl.h"

#include "backend/TrayPicture.h"
#include "backend/WindowSystem.h"
#include "backend/dbus/StatusNotifierItem.h"
#include "backend/headless/HeadlessTray.h"
#include "backend/x11/X11TrayIcon.h"
#include "zephui/Message.h"

namespace ZephUI {

using Backend::HeadlessTray;
using Backend::StatusNotifierItem;
using Backend::TrayPicture;
using Backend::X11TrayIcon;

TrayIcon::Impl::Impl(HWND owner, UINT id, UINT callbackMessage)
    : owner_(owner), id_(id), callbackMessage_(callbackMessage) {}

TrayIcon::Impl::~Impl() { Remove(); }

TrayPresence TrayIcon::Impl::Add(const std::string& iconPath, const std::u16string& tip) {
  Remove();
  tip_ = tip;
  picture_ = std::make_unique<TrayPicture>(iconPath);
  if (Backend::WindowSystem::Get().Native().Kind() == BackendKind::Headless) {
    HeadlessTray::Get().Add(this, owner_, id_, callbackMessage_);
    presence_ = TrayPresence::Headless;
    return presence_;
  }
  Backend::StatusNotifierEvents events{[this](UINT message) { Report(message); }, [this] { OnBusFailed(); }};
  item_ = StatusNotifierItem::Start(picture_->Pixmaps(), tip, std::move(events));
  if (item_) {
    presence_ = TrayPresence::StatusNotifierItem;
    return presence_;
  }
  DockInTray();
  return presence_;
}

void TrayIcon::Impl::SetTip(const std::u16string& tip) {
  tip_ = tip;
  if (item_) item_->SetTip(tip);
  if (docked_) docked_->SetTip(tip);
}

void TrayIcon::Impl::Remove() {
  item_.reset();
  failedItem_.reset();
  docked_.reset();
  HeadlessTray::Get().Remove(this);
  presence_ = TrayPresence::None;
}

void TrayIcon::Impl::Report(UINT mouseMessage) { PostMessage(owner_, callbackMessage_, id_, mouseMessage); }

// Runs inside the failed item's own bus processing, so the item is only put aside here.
void TrayIcon::Impl::OnBusFailed() {
  failedItem_ = std::move(item_);
  DockInTray();
}

void TrayIcon::Impl::DockInTray() {
  docked_ = X11TrayIcon::Dock(*picture_, tip_, [this](UINT message) { Report(message); });
  presence_ = docked_ ? TrayPresence::XEmbed : TrayPresence::None;
}

}  // namespace ZephUI

#include "core/FileChooserImpl.h"

#include <utility>

#include "backend/dbus/SessionBus.h"
#include "backend/portal/ParentWindow.h"
#include "zephui/MFileDialog.h"
#include "zephui/Message.h"
#include "zephui/MessageCodes.h"
#include "zephui/Window.h"
#include "zephui/WindowProcedure.h"
#include "zephui/WindowStyles.h"

namespace ZephUI {
namespace {

constexpr std::u16string_view kRelayClass = u"ZephFileChooserRelay";
constexpr UINT kRunDialog = WM_USER + 1;   // lParam: request serial
constexpr UINT kPortalDone = WM_USER + 2;  // wParam: PortalOutcome, lParam: request serial

// One procedure for every relay window; it outlives them all, so a relay may be destroyed from its own message.
class RelayProcedure final : public WindowProcedure {
 public:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    auto* impl = reinterpret_cast<FileChooser::Impl*>(GetWindowUserData(hwnd));
    if (impl != nullptr && (message == kRunDialog || message == kPortalDone)) return impl->Handle(message, wParam, lParam);
    return DefWindowProc(hwnd, message, wParam, lParam);
  }
};

RelayProcedure g_relayProcedure;

}  // namespace

FileChooser::Impl::Impl(FileChooserBackend backend) : backend_(backend), alive_(std::make_shared<int>(0)) {
  RegisterWindowClass(kRelayClass, 0);
  relay_ = CreateWindowEx(0, kRelayClass, u"", WS_POPUP, 0, 0, 1, 1, nullptr, &g_relayProcedure);
  if (relay_ != nullptr) SetWindowUserData(relay_, reinterpret_cast<std::intptr_t>(this));
}

FileChooser::Impl::~Impl() {
  alive_.reset();
  portal_.reset();  // its slots go before the bus
  bus_.reset();
  if (dialog_ != nullptr) dialog_->DestroyWindow();  // ends its modal loop; RunOwnDialog sees we are gone
  if (relay_ != nullptr) {
    SetWindowUserData(relay_, 0);
    DestroyWindow(relay_);
  }
}

bool FileChooser::Impl::Ask(FileChooserRequest request, AnswerHandler onAnswer) {
  if (Pending() || relay_ == nullptr || !onAnswer) return false;
  request_ = std::move(request);
  handler_ = std::move(onAnswer);
  ++serial_;
  if (backend_ == FileChooserBackend::PortalFirst && StartPortal()) return true;
  PostMessage(relay_, kRunDialog, 0, serial_);
  return true;
}

LRESULT FileChooser::Impl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (static_cast<std::uint32_t>(lParam) != serial_ || !Pending()) return 0;  // abandoned or already answered
  if (msg == kRunDialog) {
    RunOwnDialog();
  } else if (portal_ != nullptr) {
    PortalDone(static_cast<Backend::PortalOutcome>(wParam));
  }
  return 0;
}

bool FileChooser::Impl::EnsureBus() {
  if (bus_ != nullptr && !busBroken_) return true;
  portal_.reset();
  bus_ = Backend::SessionBus::Open();
  busBroken_ = false;
  if (bus_ == nullptr) return false;
  bus_->OnClosed([this] {
    busBroken_ = true;  // the bus is dropped from the loop, not from inside its own serving
    if (portal_ != nullptr) PostMessage(relay_, kPortalDone, static_cast<WPARAM>(Backend::PortalOutcome::Unavailable), serial_);
  });
  return true;
}

bool FileChooser::Impl::StartPortal() {
  if (!EnsureBus()) return false;
  const std::uint32_t serial = serial_;
  portal_ = std::make_unique<Backend::PortalFileChooser>(
      bus_->Get(), [this, serial](Backend::PortalOutcome outcome, const std::string& path) {
        portalPath_ = path;
        PostMessage(relay_, kPortalDone, static_cast<WPARAM>(outcome), serial);
      });
  if (portal_->Start(request_, Backend::PortalParentWindow(request_.owner))) return true;
  portal_.reset();
  return false;
}

void FileChooser::Impl::PortalDone(Backend::PortalOutcome outcome) {
  portal_.reset();
  if (busBroken_) bus_.reset();
  if (outcome == Backend::PortalOutcome::Unavailable) {
    RunOwnDialog();
    return;
  }
  FileChooserAnswer answer;
  answer.route = FileChooserRoute::Portal;
  if (outcome == Backend::PortalOutcome::Chosen) {
    answer.outcome = FileChooserOutcome::Chosen;
    answer.path = portalPath_;
  }
  Deliver(answer);
}

void FileChooser::Impl::RunOwnDialog() {
  const std::weak_ptr<int> alive = alive_;
  MFileDialog dialog(request_);
  FileChooserAnswer answer;
  if (dialog.CreateChooser(request_.owner) != nullptr) {
    dialog_ = &dialog;
    std::optional<std::string> path = dialog.RunModal();
    if (alive.expired()) return;  // the chooser went away while its dialog ran
    dialog_ = nullptr;
    if (path) {
      answer.outcome = FileChooserOutcome::Chosen;
      answer.path = std::move(*path);
    }
  }
  Deliver(answer);
}

void FileChooser::Impl::Deliver(const FileChooserAnswer& answer) {
  AnswerHandler handler = std::move(handler_);
  handler_ = nullptr;
  handler(answer);
}

}  // namespace ZephUI

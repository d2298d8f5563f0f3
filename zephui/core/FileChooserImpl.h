// The library's side of a FileChooser: a hidden relay window on the asking
// thread through which every step arrives as a posted message, so answers
// reach the caller from its message loop and never from inside bus serving;
// the portal request on a session bus of its own; and the own dialog when the
// portal is missing or fails.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "backend/portal/PortalFileChooser.h"
#include "zephui/FileChooser.h"

namespace ZephUI {

namespace Backend {
class SessionBus;
}  // namespace Backend

class MFileDialog;

class FileChooser::Impl {
 public:
  /// Makes the relay window on the calling thread.
  explicit Impl(FileChooserBackend backend);
  /// Abandons a pending request, closes its dialog and destroys the relay.
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  /// See FileChooser::Ask.
  bool Ask(FileChooserRequest request, AnswerHandler onAnswer);
  /// See FileChooser::Pending.
  bool Pending() const { return static_cast<bool>(handler_); }
  /// A message of the relay window.
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  /// Sends the request to the portal; false when no bus takes it.
  bool StartPortal();
  /// Opens the session bus unless one is open and healthy; false without one.
  bool EnsureBus();
  /// The portal's report, handled from the loop.
  void PortalDone(Backend::PortalOutcome outcome);
  /// Asks with the library's dialog, modal on the owner, and delivers its answer.
  void RunOwnDialog();
  /// Ends the request and calls the handler (last: it may destroy this object).
  void Deliver(const FileChooserAnswer& answer);

  FileChooserBackend backend_;
  HWND relay_ = nullptr;
  FileChooserRequest request_;
  AnswerHandler handler_;
  std::uint32_t serial_ = 0;             ///< numbers requests, so a late report of an old one is ignored
  std::unique_ptr<Backend::SessionBus> bus_;
  bool busBroken_ = false;               ///< the bus closed; reopened on the next request
  std::unique_ptr<Backend::PortalFileChooser> portal_;
  std::string portalPath_;               ///< the path the portal reported
  MFileDialog* dialog_ = nullptr;        ///< the own dialog while it runs (on RunOwnDialog's stack)
  std::shared_ptr<int> alive_;           ///< expires with this object, for code still on the stack
};

}  // namespace ZephUI

// Serving a large selection text in pieces (INCR): the requestor's property
// first announces INCR with the total size, then each time the requestor
// deletes the property the next piece is written, and an empty piece ends the
// transfer. Transfers whose requestor stops asking are dropped. Every call is
// made with the connection lock held.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// Outgoing INCR transfers.
class X11IncrSender {
 public:
  /// For the connection's server; the connection must outlive the sender.
  explicit X11IncrSender(X11Connection& connection);

  /// The most bytes put in one property; larger texts go in pieces of this size.
  std::size_t PieceSize() const { return pieceSize_; }
  /// Announces INCR on the requestor's property and keeps `data` to send; the caller then sends SelectionNotify.
  void Begin(Window requestor, Atom property, Atom type, std::string data);
  /// Sends the next piece when a requestor deleted the last one; true when the event belonged to a transfer.
  bool Handle(const XEvent& event);

 private:
  struct Transfer {
    Window requestor = 0;
    Atom property = None;
    Atom type = None;
    std::string data;
    std::size_t sent = 0;
    std::chrono::steady_clock::time_point lastStep;
  };

  bool SendNext(Transfer& transfer);
  void StopWatching(Window requestor);
  void DropStale();

  X11Connection& connection_;
  std::size_t pieceSize_;
  std::vector<Transfer> transfers_;
};

}  // namespace ZephUI::Backend

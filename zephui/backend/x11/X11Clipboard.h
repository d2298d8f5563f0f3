// The CLIPBOARD selection: owned through a hidden window after a copy and
// served as UTF-8 (or Latin-1 to old clients), in pieces (INCR) when the
// text is large; read from another owner by asking for UTF8_STRING and
// waiting while the answer, whole or in pieces, keeps coming.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "backend/x11/X11Connection.h"
#include "backend/x11/X11IncrSender.h"
#include "backend/x11/X11SelectionReader.h"

namespace ZephUI::Backend {

/// Clipboard owner and reader.
class X11Clipboard {
 public:
  /// Creates the hidden window; the connection must outlive this object.
  explicit X11Clipboard(X11Connection& connection);
  ~X11Clipboard();
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  /// Takes the selection with `text`; false when the server refused.
  bool Set(std::u16string_view text);
  /// The selection's text.
  std::optional<std::u16string> Get();
  /// Gives the selection up if we own it.
  void Clear();
  /// Handles a selection event for our window or one of our transfers; true when it was one. Under the lock.
  bool Handle(const XEvent& event);

 private:
  std::optional<std::optional<std::u16string>> StartReading();
  std::optional<std::u16string> AwaitTransfer();
  void TakeOwnEvents();
  void Answer(const XSelectionRequestEvent& request);
  bool Serve(const XSelectionRequestEvent& request, Atom property);

  X11Connection& connection_;
  Window window_ = 0;
  std::string text_;   // UTF-8, while we own the selection
  bool owner_ = false;
  std::mutex readMutex_;  // one read at a time
  std::optional<X11SelectionReader> reader_;
  std::optional<X11IncrSender> sender_;
};

}  // namespace ZephUI::Backend

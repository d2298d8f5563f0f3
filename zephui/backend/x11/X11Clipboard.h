// The CLIPBOARD selection: owned through a hidden window after a copy and
// served as UTF-8 (or Latin-1 to old clients); read from another owner by
// asking for UTF8_STRING and waiting up to a second for the answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "backend/x11/X11Connection.h"

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
  /// Handles a selection event for our window; true when it was one. Under the lock.
  bool Handle(const XEvent& event);

 private:
  void Answer(const XSelectionRequestEvent& request);
  std::optional<std::u16string> ReadTransfer();
  std::optional<std::optional<std::u16string>> TakeReply();

  X11Connection& connection_;
  Window window_ = 0;
  std::string text_;   // UTF-8, while we own the selection
  bool owner_ = false;
  std::optional<XSelectionEvent> reply_;  // SelectionNotify read by another thread's event loop
};

}  // namespace ZephUI::Backend

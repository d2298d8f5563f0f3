// Another X client's side of clipboard transfers, for the tests: asking for
// the clipboard and following an INCR answer, and owning the clipboard and
// answering one request in pieces. Each peer has a connection of its own,
// so it can run on a thread while the test pumps the window system.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace zephuitest {

/// What a read of the clipboard brought.
struct ReceivedSelection {
  bool answered = false;     ///< a SelectionNotify with a property came
  bool incremental = false;  ///< the owner announced INCR
  int pieces = 0;            ///< INCR pieces with data
  std::string bytes;         ///< the text as sent
};

class SelectionPeer {
 public:
  /// Opens a connection to DISPLAY.
  SelectionPeer();
  ~SelectionPeer();
  SelectionPeer(const SelectionPeer&) = delete;
  SelectionPeer& operator=(const SelectionPeer&) = delete;

  /// Asks for CLIPBOARD as UTF8_STRING and reads the answer, following INCR; gives up after ten seconds.
  ReceivedSelection Read();
  /// Takes CLIPBOARD ownership; returns once the server confirmed it.
  void Own();
  /// Answers one UTF8_STRING request with INCR pieces of `piece` bytes; stops after `pieceLimit` pieces
  /// without ending the transfer (a stalled owner). False when no request came within ten seconds.
  bool ServeIncrementally(const std::string& text, std::size_t piece, std::size_t pieceLimit = SIZE_MAX);

 private:
  bool Next(XEvent& event, int type, Window window);

  Display* display_ = nullptr;
  Window window_ = 0;
  Atom clipboard_ = 0;
  Atom utf8_ = 0;
  Atom incr_ = 0;
  Atom property_ = 0;
};

}  // namespace zephuitest

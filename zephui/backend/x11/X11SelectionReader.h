// Reading the CLIPBOARD selection from another client into a property of our
// hidden window: the owner either puts the whole text there at once or
// announces INCR and then sends it in pieces, each written after we deleted
// the previous one, ending with an empty piece. Events may reach it from any
// thread's event reader; every call is made with the connection lock held.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// One selection transfer at a time into our window.
class X11SelectionReader {
 public:
  /// Reads into `window`'s transfer property; the connection must outlive the reader.
  X11SelectionReader(X11Connection& connection, Window window);

  /// Asks the clipboard's owner for UTF-8 text, dropping any transfer under way.
  void Start();
  /// Stops listening to a transfer that took too long.
  void Abandon();
  /// Takes a SelectionNotify or PropertyNotify for our window; true when it was one.
  bool Handle(const XEvent& event);
  /// True once the transfer ended.
  bool Finished() const { return stage_ == Stage::Finished; }
  /// The text received; none when the owner refused or sent no text.
  const std::optional<std::u16string>& Result() const { return result_; }
  /// Counts the events that moved the transfer on, so a waiter can tell data is still flowing.
  std::uint64_t Progress() const { return progress_; }

 private:
  enum class Stage { Idle, Requested, Incremental, Finished };

  void Notified(const XSelectionEvent& event);
  void PieceArrived();
  bool TakeProperty(Atom& type, std::string& bytes);
  void Finish(Atom type, const std::string& bytes);

  X11Connection& connection_;
  Window window_;
  Stage stage_ = Stage::Idle;
  Atom type_ = None;     // type of the pieces of an INCR transfer
  std::string pieces_;   // bytes of an INCR transfer so far
  std::optional<std::u16string> result_;
  std::uint64_t progress_ = 0;
};

}  // namespace ZephUI::Backend

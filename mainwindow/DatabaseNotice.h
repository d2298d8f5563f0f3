// Tells the user, once at start-up, why the database file was not used: it is
// damaged (and was left untouched) or cannot be written, and that changes made
// now live in memory only. The text goes to stderr (with the whole path) as
// well as into the box.
#pragma once

#include <string>

#include "store/GuardedDatabaseSwitch.h"
#include "zephui/WindowTypes.h"

class DatabaseNotice {
 public:
  /// The notice for an outcome, in the current language; empty for a usable database.
  static DatabaseNotice For(const DatabaseOutcome& outcome);

  /// True when there is nothing to say.
  bool Empty() const { return message_.empty(); }
  /// The box's title, naming the file.
  const std::u16string& Title() const { return title_; }
  /// The box's message: what became of the file, what to do, and that changes are not kept.
  const std::u16string& Message() const { return message_; }
  /// Writes the notice to stderr and shows it in a one-button message box over `owner` until its button is pressed.
  void Show(ZephUI::HWND owner) const;

 private:
  std::u16string title_;
  std::u16string message_;
  std::string file_;  // the whole path, for stderr
};

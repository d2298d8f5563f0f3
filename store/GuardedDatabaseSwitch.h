// Connects layout loading to the profile store like DeviceDatabaseSwitch, but
// looks at the model's database file first, only reading it: a damaged file,
// or one that cannot be written, is never opened for writing. The store then
// works on a database in memory (a copy of the file when it is sound but
// read-only), and the outcome says why, so the window can tell the user that
// changes will not be kept.
#pragma once

#include <string>

#include "catalogue/KeyboardLayout.h"

class ProfileStore;

/// What the database file allowed at the latest switch.
enum class DatabaseCondition {
  Usable,        ///< opened as usual
  Damaged,       ///< exists but is no sound database; left untouched
  ReadOnly,      ///< a sound database that cannot be written (the file or its folder)
  NotCreatable,  ///< missing, and its folder cannot be made or written
};

/// The outcome of a switch, for the message that explains a fallback.
struct DatabaseOutcome {
  DatabaseCondition condition = DatabaseCondition::Usable;
  std::string file;    ///< the database file, UTF-8
  std::string folder;  ///< the nearest existing folder on the way to it (where it would be created)
};

class GuardedDatabaseSwitch : public LayoutDatabase {
 public:
  /// Switches this store, with databases under the given user data folder.
  GuardedDatabaseSwitch(ProfileStore& store, std::string userDataFolder);
  /// Closes the open database and opens the named model's, or a database in memory when its file is unfit.
  void SwitchDatabase(const std::u16string& keyboardName, int deviceType) override;
  /// The outcome of the latest switch.
  const DatabaseOutcome& Outcome() const { return outcome_; }

  /// Looks at a database file without changing it.
  static DatabaseCondition CheckFile(const std::string& path);
  /// The name a read-only connection reads a file by: its path while a write-ahead log holds changes, else the file alone.
  static std::string ReadableName(const std::string& path);

 private:
  ProfileStore& store_;
  std::string userDataFolder_;
  DatabaseOutcome outcome_;
};

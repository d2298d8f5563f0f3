#include "store/GuardedDatabaseSwitch.h"

#include <sqlite3.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "store/ProfileStore.h"

namespace {

std::string ParentFolder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string NearestExistingFolder(std::string path) {
  while (!IsFolder(path) && path != "/" && path != ".") path = ParentFolder(path);
  return path;
}

// The effective ids decide, as for the writes themselves; a read-only file system counts as not writable.
bool Writable(const std::string& path) { return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

int TakeFirstValue(void* argument, int columns, char** values, char**) {
  if (columns > 0 && values[0] != nullptr) *static_cast<std::string*>(argument) = values[0];
  return 0;
}

// A read-only connection's verdict: the file opens as a database and its structure checks out.
bool SoundDatabase(const std::string& name) {
  sqlite3* db = nullptr;
  std::string verdict;
  if (sqlite3_open_v2(name.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK) {
    sqlite3_busy_timeout(db, 2000);
    sqlite3_exec(db, "PRAGMA quick_check;", TakeFirstValue, &verdict, nullptr);
  }
  sqlite3_close_v2(db);
  return verdict == "ok";
}

// The file alone as it stands: nothing is locked, made or written beside it.
std::string ImmutableUri(const std::string& path) {
  std::string uri = "file:";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || std::strchr("/-_.~", c) != nullptr) {
      uri += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      uri += escaped;
    }
  }
  return uri + "?immutable=1";
}

}  // namespace

GuardedDatabaseSwitch::GuardedDatabaseSwitch(ProfileStore& store, std::string userDataFolder)
    : store_(store), userDataFolder_(std::move(userDataFolder)) {}

DatabaseCondition GuardedDatabaseSwitch::CheckFile(const std::string& path) {
  const std::string folder = ParentFolder(path);
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    // A new file needs its folder; the journal and write-ahead log need it too.
    return errno == ENOENT && IsFolder(folder) && Writable(folder) ? DatabaseCondition::Usable
                                                                     : DatabaseCondition::NotCreatable;
  }
  if (!S_ISREG(info.st_mode) || !SoundDatabase(ReadableName(path))) return DatabaseCondition::Damaged;
  return Writable(path) && Writable(folder) ? DatabaseCondition::Usable : DatabaseCondition::ReadOnly;
}

// Without a write-ahead log the file alone is the database, read without
// making a log or an index beside it; with one, the log holds changes too.
std::string GuardedDatabaseSwitch::ReadableName(const std::string& path) {
  struct stat log {};
  const bool logged = ::stat((path + "-wal").c_str(), &log) == 0 && log.st_size > 0;
  return logged ? path : ImmutableUri(path);
}

void GuardedDatabaseSwitch::SwitchDatabase(const std::u16string& keyboardName, int deviceType) {
  store_.Close();
  const std::string path = ProfileStore::DatabasePath(userDataFolder_, keyboardName);
  outcome_ = DatabaseOutcome{CheckFile(path), path, NearestExistingFolder(ParentFolder(path))};
  if (outcome_.condition == DatabaseCondition::Usable && !store_.OpenDeviceDatabase(userDataFolder_, keyboardName)) {
    store_.Close();
    struct stat info {};
    outcome_.condition = ::stat(path.c_str(), &info) == 0 ? DatabaseCondition::ReadOnly : DatabaseCondition::NotCreatable;
  }
  if (outcome_.condition != DatabaseCondition::Usable) {
    // A sound but read-only file is shown as it is; a damaged one is not read at all.
    store_.OpenTemporaryDatabase(outcome_.condition == DatabaseCondition::ReadOnly ? ReadableName(path) : std::string());
  }
  store_.SetDeviceType(deviceType);
}

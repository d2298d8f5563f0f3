// Unpacking update archives with minizip. An archive is checked whole before
// anything is written: an entry that would land outside the target folder
// (absolute path, "..", a backslash) or that is a symbolic link refuses it.
#pragma once

#include <string>

/// How an unpack ended.
enum class UnpackResult {
  Unpacked,   ///< every entry was written below the target folder
  Refused,    ///< an entry could escape the folder: nothing was written
  Unreadable, ///< not an archive, or an entry could not be read or written
};

class ZipUnpacker {
 public:
  /// Writes every entry of the archive below `folder` (which must end in '/').
  static UnpackResult Unpack(const std::string& archive, const std::string& folder);
  /// True when an entry name stays inside the folder it is unpacked into.
  static bool IsSafeEntryName(const std::string& name);
};

// Unpacking update archives with minizip. An archive is checked whole before
// anything is written: an entry that would land outside the target folder
// (absolute path, "..", a backslash), that is a symbolic link, or whose name
// is too long refuses it, and so does a damaged listing. An unpack that fails
// later (a damaged entry, a full disk, more bytes than allowed) removes
// everything it wrote.
#pragma once

#include <string>

struct zlib_filefunc64_def_s;

/// How an unpack ended.
enum class UnpackResult {
  Unpacked,   ///< every entry was written below the target folder
  Refused,    ///< an entry could escape the folder: nothing was written
  Unreadable, ///< not an archive, damaged, or an entry could not be read or written: nothing is left
  TooLarge,   ///< the entries hold more bytes than allowed: nothing is left
};

/// How much an unpack may write.
struct UnpackLimits {
  long long maxTotalBytes = 2LL << 30;     ///< no package holds more
  long long freeSpaceMargin = 256LL << 20; ///< left free on the target's disk in any case
};

class ZipUnpacker {
 public:
  /// Writes every entry of the archive below `folder` (which must end in '/').
  static UnpackResult Unpack(const std::string& archive, const std::string& folder, const UnpackLimits& limits = {});
  /// The same, reading the archive through minizip file functions (`archive` is the name they are given).
  static UnpackResult Unpack(zlib_filefunc64_def_s& reader, const std::string& archive, const std::string& folder,
                             const UnpackLimits& limits);
  /// True when an entry name stays inside the folder it is unpacked into.
  static bool IsSafeEntryName(const std::string& name);
};

// Writes small zip archives for the tests with minizip's zip API, including
// entries no honest package has (paths leaving the folder, symbolic links).
#pragma once

#include <string>
#include <vector>

struct ZipEntry {
  std::string name;      ///< stored name, as the archive will hold it
  std::string content;   ///< stored bytes
  unsigned unixMode = 0; ///< when set, the entry records these Unix mode bits (S_IFLNK marks a link)
};

/// Writes the entries to a new archive; false on failure.
bool MakeZip(const std::string& path, const std::vector<ZipEntry>& entries);

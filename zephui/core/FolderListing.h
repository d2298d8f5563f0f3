// What a file dialog shows of one folder: its subfolders, then the files a
// filter lets through, each sorted by name; hidden entries left out.
#pragma once

#include <string>
#include <vector>

namespace ZephUI {

/// Whether a folder could be read.
enum class ListingStatus { Read, Unreadable };

/// The visible contents of one folder.
class FolderListing {
 public:
  /// Reads `folder`; files must match one of the shell globs `patterns` (none: every file).
  FolderListing(const std::string& folder, const std::vector<std::string>& patterns);

  /// Whether the folder could be read.
  ListingStatus Status() const { return status_; }
  /// Subfolder names, sorted.
  const std::vector<std::string>& Folders() const { return folders_; }
  /// File names, sorted.
  const std::vector<std::string>& Files() const { return files_; }

 private:
  /// Whether `name` matches one of the patterns (ignoring case).
  bool Matches(const std::string& name) const;

  std::vector<std::string> patterns_;
  ListingStatus status_ = ListingStatus::Unreadable;
  std::vector<std::string> folders_;
  std::vector<std::string> files_;
};

}  // namespace ZephUI

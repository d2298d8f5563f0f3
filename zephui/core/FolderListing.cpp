#include "core/FolderListing.h"

#include <fnmatch.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace ZephUI {
namespace {

// Case-blind first, so "b.xml" sits between "A.xml" and "C.xml"; byte order breaks ties.
bool NameBefore(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return std::tolower(c); };
  const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                 [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
  const bool more = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                 [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
  return less || (!more && a < b);
}

}  // namespace

FolderListing::FolderListing(const std::string& folder, const std::vector<std::string>& patterns)
    : patterns_(patterns) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it(fs::path(folder), error);
  if (error) return;
  for (const fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    std::error_code kindError;
    if (it->is_directory(kindError)) {  // follows links, as a user expects of a link to a folder
      folders_.push_back(std::move(name));
    } else if (Matches(name)) {
      files_.push_back(std::move(name));
    }
  }
  std::sort(folders_.begin(), folders_.end(), NameBefore);
  std::sort(files_.begin(), files_.end(), NameBefore);
  status_ = ListingStatus::Read;
}

bool FolderListing::Matches(const std::string& name) const {
  if (patterns_.empty()) return true;
  return std::any_of(patterns_.begin(), patterns_.end(), [&name](const std::string& pattern) {
    return ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
  });
}

}  // namespace ZephUI

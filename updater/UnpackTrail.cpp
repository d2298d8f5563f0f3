#include "updater/UnpackTrail.h"

bool UnpackTrail::MakeFolders(const std::filesystem::path& folder) {
  std::error_code error;
  std::vector<std::filesystem::path> missing;
  for (std::filesystem::path p = folder; !p.empty() && !std::filesystem::exists(p, error); p = p.parent_path()) {
    missing.push_back(p);
    if (p == p.parent_path()) break;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    const bool made = std::filesystem::create_directory(*it, error);
    if (error) return false;
    if (made) folders_.push_back(*it);
  }
  return std::filesystem::is_directory(folder, error);
}

void UnpackTrail::AddFile(const std::filesystem::path& file) { files_.push_back(file); }

// Files first, then folders deepest first: a folder is only removed once
// empty, so anything that was there before this unpack keeps its folder.
void UnpackTrail::Undo() {
  std::error_code ignored;
  for (auto it = files_.rbegin(); it != files_.rend(); ++it) std::filesystem::remove(*it, ignored);
  for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) std::filesystem::remove(*it, ignored);
  files_.clear();
  folders_.clear();
}

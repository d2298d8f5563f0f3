// The documents folder as xdg-user-dir names it: XDG_DOCUMENTS_DIR in
// $XDG_CONFIG_HOME/user-dirs.dirs, a quoted path that is absolute or starts
// with $HOME/. A folder that is missing, or the home folder itself, gives home.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "zephui/FileChooser.h"

namespace ZephUI {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
  return "/";
}

std::string UserDirsFile(const std::string& home) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string base = (config != nullptr && *config == '/') ? config : home + "/.config";
  return base + "/user-dirs.dirs";
}

// The value of one `XDG_DOCUMENTS_DIR="..."` line; empty when the line is something else.
std::string DocumentsValue(std::string_view line, const std::string& home) {
  constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
  const auto start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos || line.substr(start, kKey.size()) != kKey) return {};
  const std::string_view rest = line.substr(start + kKey.size());
  const auto end = rest.find('"');
  if (end == std::string_view::npos) return {};
  std::string value;
  for (std::size_t i = 0; i < end; ++i) {
    if (rest[i] == '\\' && i + 1 < end) ++i;  // the file escapes quotes and backslashes
    value += rest[i];
  }
  if (value.rfind("$HOME", 0) == 0) return home + value.substr(5);
  return !value.empty() && value.front() == '/' ? value : std::string{};
}

}  // namespace

std::string DocumentsFolder() {
  const std::string home = HomeFolder();
  std::ifstream file(UserDirsFile(home));
  std::string found;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line.front() == '#') continue;
    if (std::string value = DocumentsValue(line, home); !value.empty()) found = std::move(value);
  }
  std::error_code error;
  if (found.empty() || !std::filesystem::is_directory(found, error)) return home;
  return found;
}

}  // namespace ZephUI

#include "app/Paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "zephui/Manager.h"
#include "zephui/Text.h"

namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
  return "/tmp";
}

// XDG base directories must be absolute; a relative value is ignored.
std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
  if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') return WithSlash(value);
  return WithSlash(HomeFolder() + "/" + fallbackBelowHome);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string GetModuleFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "./";
  return WithSlash(exe.parent_path().string());
}

std::string DeviceNameForFiles() {
  std::string name = ZephUI::ToUtf8(ZephUI::Manager::GetDeviceName());
  for (char& c : name) {
    if (c == '/' || c == '\0') c = '_';
  }
  return name;
}

std::string GetUserDataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share") + DeviceNameForFiles() + " Files/"; }

std::string GetSettingsFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config") + DeviceNameForFiles() + "/"; }

std::string GetAutostartFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config") + "autostart/"; }

std::string GetRuntimeFolder() {
  if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value != nullptr && value[0] == '/') return WithSlash(value);
  return "/tmp/";
}

bool CreateFolderTree(const std::string& path) {
  if (path.empty()) return false;
  if (IsFolder(path)) return true;
  // Parents first, outermost inward; the root itself is never created.
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    ::mkdir(path.substr(0, slash).c_str(), 0755);
  }
  ::mkdir(path.c_str(), 0755);
  return IsFolder(path);
}

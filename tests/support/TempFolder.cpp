#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "zephui/Manager.h"

namespace testsupport {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pelmora-test-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = std::string(name.data()) + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path file = path_ + relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
  return file.string();
}

std::string TempFolder::Read(const std::string& relative) const {
  std::ifstream in(path_ + relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(const std::string& relative) const { return std::filesystem::exists(path_ + relative); }

TempUserEnvironment::TempUserEnvironment(const std::u16string& deviceName)
    : savedDeviceName_(ZephUI::Manager::GetDeviceName()) {
  Set("XDG_CONFIG_HOME", root_.Path() + "config");
  Set("XDG_DATA_HOME", root_.Path() + "data");
  Set("XDG_RUNTIME_DIR", root_.Path() + "run");
  Set("HOME", root_.Path() + "home");
  std::filesystem::create_directories(root_.Path() + "run");
  ZephUI::Manager::SetDeviceName(deviceName);
}

TempUserEnvironment::~TempUserEnvironment() {
  for (const auto& [name, value] : saved_) {
    if (value) ::setenv(name.c_str(), value->c_str(), 1);
    else ::unsetenv(name.c_str());
  }
  ZephUI::Manager::SetDeviceName(savedDeviceName_);
}

void TempUserEnvironment::Set(const std::string& name, const std::optional<std::string>& value) {
  if (!saved_.contains(name)) {
    const char* old = std::getenv(name.c_str());
    saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
  }
  if (value) ::setenv(name.c_str(), value->c_str(), 1);
  else ::unsetenv(name.c_str());
}

}  // namespace testsupport

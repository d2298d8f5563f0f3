#include "zephui/SkinLocator.h"

#include <mutex>
#include <system_error>

#include "zephui/Manager.h"
#include "zephui/Text.h"

namespace ZephUI {
namespace {

struct FolderOverride {
  std::mutex mutex;
  std::filesystem::path folder;
};

FolderOverride& Override() {
  static FolderOverride value;
  return value;
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error) / "";
  return executable.parent_path() / "";
}

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

}  // namespace

std::filesystem::path SkinLocator::ProgramFolder() {
  {
    FolderOverride& value = Override();
    std::lock_guard<std::mutex> lock(value.mutex);
    if (!value.folder.empty()) return value.folder;
  }
  // The executable does not move while the program runs.
  static const std::filesystem::path folder = ExecutableFolder();
  return folder;
}

void SkinLocator::SetProgramFolder(const std::filesystem::path& folder) {
  FolderOverride& value = Override();
  std::lock_guard<std::mutex> lock(value.mutex);
  value.folder = folder.empty() ? folder : folder / "";
}

std::filesystem::path SkinLocator::SkinPath(std::u16string_view name) {
  std::filesystem::path path = ProgramFolder() / "skins";
  for (const std::u16string& part : {NormaliseName(Manager::GetTheme()), NormaliseName(name)}) {
    if (!part.empty()) path /= ToUtf8(part);
  }
  return path;
}

std::filesystem::path SkinLocator::FontPath(std::u16string_view fileName) {
  return ProgramFolder() / "font" / ToUtf8(NormaliseName(fileName));
}

std::u16string SkinLocator::NormaliseName(std::u16string_view name) {
  std::u16string result;
  result.reserve(name.size());
  for (const char16_t c : name) {
    if (!IsSeparator(c)) {
      result.push_back(c);
    } else if (!result.empty() && result.back() != u'/') {
      result.push_back(u'/');
    }
  }
  // A trailing separator names no file, and the theme folder comes with one.
  if (!result.empty() && result.back() == u'/') result.pop_back();
  return result;
}

}  // namespace ZephUI

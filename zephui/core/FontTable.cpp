#include "core/FontTable.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include "zephui/FontRegistry.h"
#include "zephui/Resources.h"

namespace ZephUI {

std::filesystem::path FontTable::ResourceFile(int resourceId) {
  const std::vector<std::uint8_t> bytes = Resources::Find(ResourceModule::Library, resourceId, u"ttf");
  if (bytes.empty()) return {};
  // The font configuration reads fonts from files; one file per resource and process.
  std::error_code error;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path(error) / ("zephui-fonts-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = folder / (std::to_string(resourceId) + ".ttf");
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out ? file : std::filesystem::path{};
}

std::u16string FontTable::AddFile(const std::u16string& faceName, const std::filesystem::path& file) {
  const std::u16string family = FontRegistry::AddAppFont(faceName, file);
  if (family.empty()) return {};
  std::lock_guard lock(lock_);
  families_[faceName] = family;
  return family;
}

std::u16string FontTable::AddResource(const std::u16string& faceName, int resourceId) {
  const std::filesystem::path file = ResourceFile(resourceId);
  return file.empty() ? std::u16string{} : AddFile(faceName, file);
}

bool FontTable::AddDrawingResource(int resourceId) {
  const std::filesystem::path file = ResourceFile(resourceId);
  if (file.empty()) return false;
  const std::string face = "zephui-resource-" + std::to_string(resourceId);
  const std::u16string family = FontRegistry::AddAppFont(std::u16string(face.begin(), face.end()), file);
  if (family.empty()) return false;
  std::lock_guard lock(lock_);
  drawingResources_.push_back(resourceId);
  return true;
}

std::u16string FontTable::Find(std::u16string_view faceName) {
  if (std::u16string stored = Lookup(faceName); !stored.empty()) return stored;
  std::u16string family = FontRegistry::FindFamily(faceName);
  if (family.empty()) return {};
  std::lock_guard lock(lock_);
  families_[std::u16string(faceName)] = family;
  return family;
}

std::u16string FontTable::Lookup(std::u16string_view faceName) const {
  std::lock_guard lock(lock_);
  const auto it = families_.find(faceName);
  return it != families_.end() ? it->second : std::u16string{};
}

void FontTable::Clear() {
  std::lock_guard lock(lock_);
  families_.clear();
  drawingResources_.clear();
}

}  // namespace ZephUI

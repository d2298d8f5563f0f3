// A window's private fonts: face names mapped to the families of font files
// and font resources registered with the process's font configuration.
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace ZephUI {

/// Face name to family, under one lock.
class FontTable {
 public:
  /// Registers a font file under `faceName`; its family, empty on failure.
  std::u16string AddFile(const std::u16string& faceName, const std::filesystem::path& file);
  /// Registers a library "ttf" resource under `faceName`; its family, empty on failure.
  std::u16string AddResource(const std::u16string& faceName, int resourceId);
  /// Registers a library "ttf" resource for drawing only; false on failure.
  bool AddDrawingResource(int resourceId);
  /// The stored family of a face, else an installed family of that name (then stored); empty for none.
  std::u16string Find(std::u16string_view faceName);
  /// The stored family of a face; empty when it was not added.
  std::u16string Lookup(std::u16string_view faceName) const;
  /// Forgets every face (the font configuration keeps the files it was given).
  void Clear();

 private:
  static std::filesystem::path ResourceFile(int resourceId);

  mutable std::mutex lock_;
  std::map<std::u16string, std::u16string, std::less<>> families_;
  std::vector<int> drawingResources_;
};

}  // namespace ZephUI

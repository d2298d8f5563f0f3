// Where the pictures and fonts that ship beside the program are found:
// "<program folder>skins/<theme>/<name>" and "<program folder>font/<file>".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "zephui/Export.h"

namespace ZephUI {

/// Builds the paths of skin pictures and shipped fonts.
class ZEPHUI_API SkinLocator {
 public:
  SkinLocator() = delete;

  /// The folder of the running executable, with a trailing '/', unless overridden.
  static std::filesystem::path ProgramFolder();
  /// Replaces the program folder (tests); an empty path restores the executable's folder.
  static void SetProgramFolder(const std::filesystem::path& folder);

  /// The file of a skin picture: program folder + "skins/" + theme + the normalised name.
  static std::filesystem::path SkinPath(std::u16string_view name);
  /// The file of a shipped font: program folder + "font/" + the normalised name.
  static std::filesystem::path FontPath(std::u16string_view fileName);
  /// A relative name with '/' separators: back slashes become '/', runs of separators one, leading and trailing ones dropped.
  static std::u16string NormaliseName(std::u16string_view name);
};

}  // namespace ZephUI

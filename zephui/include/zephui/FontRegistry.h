// Private fonts: font files shipped with the program, registered with
// fontconfig for this process and reachable under the names the skins use.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Font.h"

namespace ZephUI {

/// Process-wide map from face names to font families, and the application fonts behind them.
class ZEPHUI_API FontRegistry {
 public:
  FontRegistry() = delete;

  /// Registers a font file as an application font and maps `faceName` to its first family; that family, or empty on failure.
  static std::u16string AddAppFont(std::u16string_view faceName, const std::filesystem::path& file);
  /// The family for a face name: the mapped one, else an installed family of that name (then mapped), else empty.
  static std::u16string FindFamily(std::u16string_view faceName);
  /// The font file that text in `font` is drawn with; empty when nothing matches.
  static std::filesystem::path MatchedFile(const Font& font);
};

}  // namespace ZephUI

// Resources of the application and of the library: encoded pictures and
// fonts registered by number and type, standing in for resources linked into
// the program.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "zephui/Export.h"

namespace ZephUI {

/// Whose resources a lookup searches.
enum class ResourceModule { Application, Library };

/// Process-wide table of resources by module, id and type ("PNG", "ttf", ...).
class ZEPHUI_API Resources {
 public:
  Resources() = delete;
  /// Stores a copy of `bytes` under (module, id, type), replacing any earlier entry.
  static void Add(ResourceModule module, int id, std::u16string_view type, std::span<const std::uint8_t> bytes);
  /// A copy of the bytes; empty when absent.
  static std::vector<std::uint8_t> Find(ResourceModule module, int id, std::u16string_view type);
  /// True when present.
  static bool Has(ResourceModule module, int id, std::u16string_view type);
  /// Removes every entry (tests).
  static void Clear();
};

}  // namespace ZephUI

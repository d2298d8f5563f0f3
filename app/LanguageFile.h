// One language file held in memory: every "key=text" line of every section,
// found by name without reading the file again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class LanguageFile {
 public:
  /// Reads file bytes: UTF-8 (with or without byte-order mark) or UTF-16 LE/BE after a mark; any line end.
  static LanguageFile Parse(std::string_view bytes);

  /// The text of the key in the section, names matched without regard to ASCII case; none when missing.
  std::optional<std::u16string> Find(std::string_view section, std::string_view key) const;

  /// Number of texts held.
  std::size_t Size() const { return texts_.size(); }

 private:
  std::unordered_map<std::string, std::u16string> texts_;
};

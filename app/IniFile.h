// A small INI reader and writer for UTF-8 files: "[section]" lines followed by
// "key=value" lines. Section and key names match without regard to ASCII case;
// the first "=" of a line splits key from value; the first of two equal keys wins.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
 public:
  /// Parses the text in linear time; a UTF-8 byte-order mark is skipped and CR LF, LF or CR end a line.
  static IniFile Parse(std::string_view text);

  /// The value of the key in the section, blanks trimmed; none when either is missing.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  /// Sets or replaces the value (trimmed, line breaks made blanks), adding the section and key when missing.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  /// Removes the key; false when it was not there.
  bool Remove(std::string_view section, std::string_view key);

  /// Calls `visit` with every entry, section by section, in file order.
  void ForEach(const std::function<void(std::string_view section, std::string_view key, std::string_view value)>& visit) const;

  /// The file text, one "key=value" line per entry, LF line ends.
  std::string Serialize() const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  struct ParseIndex;
  std::size_t OpenSection(std::string_view line, ParseIndex& index);
  void AddEntry(std::size_t section, std::string_view line, ParseIndex& index);
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);

  std::vector<Section> sections_;
};

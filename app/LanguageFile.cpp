#include "app/LanguageFile.h"

#include "app/IniFile.h"
#include "zephui/Text.h"

namespace {

enum class ByteOrder { Little, Big };

std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(order == ByteOrder::Little ? first | second << 8 : first << 8 | second));
  }
  return ZephUI::ToUtf8(text);
}

// Translators' tools write UTF-16 with a mark; everything else is taken as UTF-8.
std::string DecodeText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16ToUtf8(bytes.substr(2), ByteOrder::Little);
  if (bytes.starts_with("\xFE\xFF")) return Utf16ToUtf8(bytes.substr(2), ByteOrder::Big);
  return std::string(bytes);
}

// Section and key in one lower-cased name; a line end cannot occur in either.
std::string IndexName(std::string_view section, std::string_view key) {
  std::string name;
  name.reserve(section.size() + key.size() + 1);
  for (char c : section) name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  name += '\n';
  for (char c : key) name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return name;
}

}  // namespace

LanguageFile LanguageFile::Parse(std::string_view bytes) {
  LanguageFile file;
  IniFile::Parse(DecodeText(bytes)).ForEach([&](std::string_view section, std::string_view key, std::string_view value) {
    file.texts_.emplace(IndexName(section, key), ZephUI::ToUtf16(value));
  });
  return file;
}

std::optional<std::u16string> LanguageFile::Find(std::string_view section, std::string_view key) const {
  const auto it = texts_.find(IndexName(section, key));
  if (it == texts_.end()) return std::nullopt;
  return it->second;
}

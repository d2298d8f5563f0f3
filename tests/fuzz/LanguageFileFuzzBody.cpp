#include "tests/fuzz/LanguageFileFuzzBody.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/LanguageFile.h"
#include "zephui/Text.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "language file invariant broken: %s\n", what);
  std::abort();
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Every (section, key) the text could hold, found the simple way: the names a lookup might ask for.
std::vector<std::pair<std::string, std::string>> Probes(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> probes;
  std::string section;
  while (!text.empty() && probes.size() < 256) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.starts_with('[')) section = Trim(line.substr(1, line.find(']') - 1));
    if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
      probes.emplace_back(section, Trim(line.substr(0, eq)));
    }
  }
  return probes;
}

std::string Utf16LittleEndian(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

// Every line end made a lone CR.
std::string CrOnly(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out += text[i] == '\n' ? '\r' : text[i];
  }
  return out;
}

void CheckText(const std::optional<std::u16string>& text) {
  if (!text) return;
  Require(text->find_first_of(u"\r\n") == std::u16string::npos, "a text holds a line end");
  Require(text->empty() || (text->front() != u' ' && text->back() != u' '), "a text keeps blanks at its ends");
}

}  // namespace

void FuzzLanguageFileOnce(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const LanguageFile file = LanguageFile::Parse(bytes);
  // UTF-16 input is only read here; the checks below work on 8-bit text.
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return;
  const std::vector<std::pair<std::string, std::string>> probes = Probes(bytes);
  for (const auto& [section, key] : probes) CheckText(file.Find(section, key));
  // The same text with other line ends, or as UTF-16, must read the same.
  const LanguageFile crOnly = LanguageFile::Parse(CrOnly(bytes));
  const std::u16string wide = ZephUI::ToUtf16(bytes);
  const bool validUtf8 = ZephUI::ToUtf8(wide) == bytes;
  const std::optional<LanguageFile> utf16 =
      validUtf8 ? std::optional<LanguageFile>(LanguageFile::Parse(Utf16LittleEndian(wide))) : std::nullopt;
  Require(crOnly.Size() == file.Size(), "line ends changed the number of texts");
  Require(!utf16 || utf16->Size() == file.Size(), "UTF-16 changed the number of texts");
  for (const auto& [section, key] : probes) {
    const std::optional<std::u16string> text = file.Find(section, key);
    Require(crOnly.Find(section, key) == text, "line ends changed a text");
    Require(!utf16 || utf16->Find(section, key) == text, "UTF-16 changed a text");
  }
}

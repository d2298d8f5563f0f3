#include "app/IniFile.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

// Lower-cased names index the sections and keys seen so far, so reading stays
// linear however many entries a file holds.
struct IniFile::ParseIndex {
  std::unordered_map<std::string, std::size_t> sections;
  std::vector<std::unordered_set<std::string>> keys;
};

IniFile IniFile::Parse(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  IniFile file;
  ParseIndex index;
  std::optional<std::size_t> current;
  while (!text.empty()) {
    // CR LF, LF and a lone CR all end a line.
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      current = file.OpenSection(line, index);
    } else if (current) {
      file.AddEntry(*current, line, index);
    }
  }
  return file;
}

std::size_t IniFile::OpenSection(std::string_view line, ParseIndex& index) {
  const std::size_t close = line.find(']');
  const std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
  const auto [it, added] = index.sections.try_emplace(Lower(name), sections_.size());
  if (added) {
    sections_.push_back(Section{std::string(name), {}});
    index.keys.emplace_back();
  }
  return it->second;
}

void IniFile::AddEntry(std::size_t section, std::string_view line, ParseIndex& index) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  const std::string_view key = Trim(line.substr(0, eq));
  if (!index.keys[section].insert(Lower(key)).second) return;  // the first of two equal keys wins
  sections_[section].entries.push_back(Entry{std::string(key), std::string(Trim(line.substr(eq + 1)))});
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  const auto it = std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) { return SameName(s.name, name); });
  return it == sections_.end() ? nullptr : &*it;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const IniFile*>(this)->FindSection(name));
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return std::nullopt;
  for (const Entry& e : s->entries) {
    if (SameName(e.key, key)) return e.value;
  }
  return std::nullopt;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view rawValue) {
  // A line break would end the value early and start a bogus entry.
  std::string value(Trim(rawValue));
  std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  Section* s = FindSection(section);
  if (s == nullptr) s = &sections_.emplace_back(Section{std::string(section), {}});
  for (Entry& e : s->entries) {
    if (SameName(e.key, key)) {
      e.value = value;
      return;
    }
  }
  s->entries.push_back(Entry{std::string(key), std::string(value)});
}

bool IniFile::Remove(std::string_view section, std::string_view key) {
  Section* s = FindSection(section);
  if (s == nullptr) return false;
  const auto it = std::find_if(s->entries.begin(), s->entries.end(), [&](const Entry& e) { return SameName(e.key, key); });
  if (it == s->entries.end()) return false;
  s->entries.erase(it);
  return true;
}

void IniFile::ForEach(
    const std::function<void(std::string_view section, std::string_view key, std::string_view value)>& visit) const {
  for (const Section& s : sections_) {
    for (const Entry& e : s.entries) visit(s.name, e.key, e.value);
  }
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    out += "[" + s.name + "]\n";
    for (const Entry& e : s.entries) out += e.key + "=" + e.value + "\n";
  }
  return out;
}

#include "app/LanguageText.h"

#include <atomic>
#include <optional>

#include "app/AtomicFile.h"
#include "app/IniFile.h"
#include "app/Paths.h"
#include "zephui/Text.h"

namespace {

std::atomic<int> g_languageId{0};

// Cuts to the limit without leaving half of a surrogate pair behind.
std::u16string CutText(std::u16string text) {
  if (text.size() <= kMaxLanguageTextLength) return text;
  text.resize(kMaxLanguageTextLength);
  if (text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
  return text;
}

}  // namespace

int GetLanguageId() { return g_languageId.load(std::memory_order_relaxed); }

void SetLanguageId(int languageId) { g_languageId.store(languageId, std::memory_order_relaxed); }

std::u16string ReadLanguageText(const std::string& programFolder, int languageId, std::u16string_view section, int number) {
  std::string text;
  if (!ReadWholeFile(programFolder + "language/" + std::to_string(languageId) + ".lan", text)) return {};
  const std::optional<std::string> value = IniFile::Parse(text).Get(ZephUI::ToUtf8(section), std::to_string(number));
  return value ? CutText(ZephUI::ToUtf16(*value)) : std::u16string();
}

std::u16string GetLanguageText(std::u16string_view section, int number) {
  return ReadLanguageText(GetModuleFolder(), GetLanguageId(), section, number);
}

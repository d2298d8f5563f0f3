#include "mainwindow/settingspage/LanguageList.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "zephui/Text.h"

std::u16string LanguageList::NameOf(int id) {
  switch (id) {
    case 1033: return u"English";
    case 2052: return u"\u7b80\u4f53\u4e2d\u6587";
    case 1028: return u"\u7e41\u9ad4\u4e2d\u6587";
    case 1031: return u"Deutsch";
    case 1036: return u"Fran\u00e7ais";
    case 1041: return u"\u65e5\u672c\u8a9e";
    case 1042: return u"\ud55c\uad6d\uc5b4";
    case 1049: return u"\u0420\u0443\u0441\u0441\u043a\u0438\u0439";
    case 3082: return u"Espa\u00f1ol";
    default: return ZephUI::DecimalText(id);
  }
}

std::vector<LanguageChoice> LanguageList::Read(const std::string& programFolder) {
  std::vector<LanguageChoice> choices;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder + "language", error)) {
    if (entry.path().extension() != ".lan") continue;
    const std::string stem = entry.path().stem().string();
    int id = 0;
    const auto [end, result] = std::from_chars(stem.data(), stem.data() + stem.size(), id);
    if (result != std::errc() || end != stem.data() + stem.size() || id <= 0) continue;
    choices.push_back(LanguageChoice{id, NameOf(id)});
  }
  std::sort(choices.begin(), choices.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
  return choices;
}

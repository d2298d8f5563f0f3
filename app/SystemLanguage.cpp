#include "app/SystemLanguage.h"

#include <array>
#include <cstdlib>
#include <string>

namespace {

struct LocaleId {
  std::string_view locale;  // "ll_CC", or "ll" for the language's usual region
  int id;
};

// The languages a language file could reasonably ship for. A territory we do
// not list falls back to its language's entry; an unknown language to English.
constexpr std::array kLocales = {
    LocaleId{"en_US", 1033}, LocaleId{"en_GB", 2057}, LocaleId{"en", 1033},
    LocaleId{"zh_CN", 2052}, LocaleId{"zh_SG", 4100}, LocaleId{"zh_TW", 1028},
    LocaleId{"zh_HK", 3076}, LocaleId{"zh", 2052},    LocaleId{"ja", 1041},
    LocaleId{"ko", 1042},    LocaleId{"de", 1031},    LocaleId{"fr", 1036},
    LocaleId{"es", 3082},    LocaleId{"it", 1040},    LocaleId{"pt_BR", 1046},
    LocaleId{"pt", 2070},    LocaleId{"ru", 1049},
};

int Lookup(std::string_view key) {
  for (const LocaleId& entry : kLocales) {
    if (entry.locale == key) return entry.id;
  }
  return 0;
}

}  // namespace

int LanguageIdFromLocale(std::string_view locale) {
  // "ll_CC.codeset@modifier": only language and territory matter.
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (const int id = Lookup(locale); id != 0) return id;
  if (const int id = Lookup(locale.substr(0, locale.find('_'))); id != 0) return id;
  return kLanguageEnglishUs;
}

int SystemUiLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return LanguageIdFromLocale(value);
  }
  return kLanguageEnglishUs;
}

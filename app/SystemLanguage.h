// The user's interface language from the POSIX locale, as a language id.
#pragma once

#include <string_view>

/// English (United States), also used for the C and POSIX locales and unknown languages.
inline constexpr int kLanguageEnglishUs = 1033;

/// The language id of a locale name such as "zh_CN.UTF-8" or "de_DE@euro".
int LanguageIdFromLocale(std::string_view locale);

/// The language id of the first set variable of LC_ALL, LC_MESSAGES and LANG.
int SystemUiLanguage();

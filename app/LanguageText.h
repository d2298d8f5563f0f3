// Interface texts by number, read from "<program folder>language/<id>.lan".
// The file is read once and held; a changed language id (or a changed file)
// takes effect at the next lookup. When the language's file cannot be read,
// the English file answers, and without that the English texts built into
// the program; each such fallback is said once on stderr.
#pragma once

#include <string>
#include <string_view>

/// The section that holds every interface text.
inline constexpr std::u16string_view kDialogSection = u"KB.DIALOG";

/// Longest text a lookup returns, in UTF-16 code units.
inline constexpr std::size_t kMaxLanguageTextLength = 259;

/// The process-wide language id (for example 1033).
int GetLanguageId();

/// Sets the process-wide language id.
void SetLanguageId(int languageId);

/// The text numbered `number` in `section` of the current language's texts; empty when the number is missing.
std::u16string GetLanguageText(std::u16string_view section, int number);

/// The same lookup in the language file of a given program folder and language id.
std::u16string ReadLanguageText(const std::string& programFolder, int languageId, std::u16string_view section, int number);

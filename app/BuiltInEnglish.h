// The English interface texts compiled into the program, for a start where no
// language file can be read. Made at build time from data/language/1033.lan.
#pragma once

#include <string_view>

/// The bytes of the English language file as it was when the program was built.
std::string_view BuiltInEnglishTexts();

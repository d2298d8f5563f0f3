// Text helpers shared by the library and the program: interface text is
// UTF-16, and UTF-8 appears only where text meets files, databases and fonts.
#pragma once

#include <string>
#include <string_view>

#include "zephui/Export.h"

namespace ZephUI {

/// Converts UTF-16 text to UTF-8; an unpaired surrogate becomes U+FFFD.
ZEPHUI_API std::string ToUtf8(std::u16string_view text);

/// Converts UTF-8 text to UTF-16; every invalid byte sequence becomes U+FFFD.
ZEPHUI_API std::u16string ToUtf16(std::string_view text);

/// Reads a decimal number the C way: blanks, a sign, then digits; 0 when there are none, clamped to int.
ZEPHUI_API int ParseDecimal(std::u16string_view text);

/// ParseDecimal for 8-bit text.
ZEPHUI_API int ParseDecimal(std::string_view text);

/// Reads a base-16 number: blanks, a sign, an optional "0x", then digits; 0 when there are none, clamped to int.
ZEPHUI_API int ParseHex(std::u16string_view text);

/// Formats a number as decimal UTF-16 text.
ZEPHUI_API std::u16string DecimalText(long long value);

}  // namespace ZephUI

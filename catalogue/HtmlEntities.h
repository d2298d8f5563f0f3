// Named character entities of HTML, which hand-edited XML files sometimes use
// (&nbsp;, &eacute;, ...) although XML itself defines only five.
#pragma once

#include <optional>
#include <string_view>

/// The code point of a named entity without '&' and ';' (case-sensitive); none when unknown.
std::optional<char32_t> LookupHtmlEntity(std::string_view name);

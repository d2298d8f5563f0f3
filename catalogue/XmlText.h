// Byte-level helpers of XmlDocument: file decoding, escaping and references.
#pragma once

#include <string>
#include <string_view>

/// Decodes file bytes to UTF-8: byte-order mark, else the declared encoding, else UTF-8.
std::string DecodeXmlBytes(std::string_view bytes);

/// Replaces < & > ' " by their predefined entities.
std::string EscapeXmlAttribute(std::string_view text);

/// Replaces predefined and HTML entities and character references; unknown ones stay as written.
std::string DecodeXmlReferences(std::string_view raw);

#include "catalogue/XmlText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "catalogue/HtmlEntities.h"
#include "zephui/Text.h"

namespace {

enum class Utf16Order { Little, Big };

std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[order == Utf16Order::Little ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(bytes[order == Utf16Order::Little ? i + 1 : i]);
    const auto unit = static_cast<char16_t>(lo | (hi << 8));
    if (unit != 0) text.push_back(unit);  // NUL characters are dropped
  }
  return ZephUI::ToUtf8(text);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  return out;
}

// The encoding named by the XML declaration within the first 1024 bytes.
std::string DeclaredEncoding(std::string_view bytes) {
  const std::string_view head = bytes.substr(0, 1024);
  if (!head.starts_with("<?xml")) return {};
  const std::string_view decl = head.substr(0, head.find("?>"));
  const std::size_t key = decl.find("encoding");
  if (key == std::string_view::npos) return {};
  const std::size_t quote = decl.find_first_of("\"'", key);
  if (quote == std::string_view::npos) return {};
  const std::size_t end = decl.find(decl[quote], quote + 1);
  if (end == std::string_view::npos) return {};
  return std::string(decl.substr(quote + 1, end - quote - 1));
}

// Converts 8-bit text with iconv; a byte the encoding cannot map becomes U+FFFD.
std::optional<std::string> ConvertWithIconv(std::string_view bytes, const std::string& encoding) {
  iconv_t cd = ::iconv_open("UTF-8", encoding.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::string in(bytes);
  char* src = in.data();
  std::size_t srcLeft = in.size();
  char buffer[4096];
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    const std::size_t rc = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out += "\xEF\xBF\xBD";
      ++src, --srcLeft;  // EILSEQ or EINVAL: skip the byte and go on
    }
  }
  ::iconv_close(cd);
  return out;
}

void AppendCodePoint(std::string& out, char32_t cp) {
  std::u16string units;
  if (cp < 0x10000) {
    units.push_back(static_cast<char16_t>(cp));
  } else {
    units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
    units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
  }
  out += ZephUI::ToUtf8(units);
}

std::optional<char32_t> CharacterReference(std::string_view name) {
  if (name.size() < 2 || name[0] != '#') return std::nullopt;
  const bool hex = name[1] == 'x' || name[1] == 'X';
  const std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  char32_t value = 0;
  for (char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<char32_t>(d);
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
  return value;
}

std::optional<char32_t> EntityValue(std::string_view name) {
  if (name == "lt") return U'<';
  if (name == "gt") return U'>';
  if (name == "amp") return U'&';
  if (name == "apos") return U'\'';
  if (name == "quot") return U'"';
  if (!name.empty() && name[0] == '#') return CharacterReference(name);
  return LookupHtmlEntity(name);
}

}  // namespace

std::string DecodeXmlBytes(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return Utf16ToUtf8(bytes.substr(2), Utf16Order::Little);
  if (bytes.starts_with("\xFE\xFF")) return Utf16ToUtf8(bytes.substr(2), Utf16Order::Big);
  // UTF-16 without a mark still starts with '<' in one of its two bytes.
  if (bytes.size() >= 2 && bytes[0] == '<' && bytes[1] == '\0') return Utf16ToUtf8(bytes, Utf16Order::Little);
  if (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] == '<') return Utf16ToUtf8(bytes, Utf16Order::Big);
  const std::string encoding = Lower(DeclaredEncoding(bytes));
  if (encoding.empty() || encoding == "utf-8" || encoding == "utf8" || encoding.starts_with("utf-16")) {
    return std::string(bytes);
  }
  return ConvertWithIconv(bytes, encoding).value_or(std::string(bytes));
}

std::string EscapeXmlAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '&': out += "&amp;"; break;
      case '>': out += "&gt;"; break;
      case '\'': out += "&apos;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string DecodeXmlReferences(std::string_view raw) {
  constexpr std::size_t kLongestName = 32;
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size();) {
    // Looking for the ';' only as far as the longest name keeps text full of '&' linear.
    const std::size_t semicolon =
        raw[i] == '&' ? raw.substr(0, i + kLongestName + 2).find(';', i + 1) : std::string_view::npos;
    if (semicolon != std::string_view::npos) {
      if (const std::optional<char32_t> cp = EntityValue(raw.substr(i + 1, semicolon - i - 1))) {
        AppendCodePoint(out, *cp);
        i = semicolon + 1;
        continue;
      }
    }
    out += raw[i++];
  }
  return out;
}

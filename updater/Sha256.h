// SHA-256 of a file, for checking a package against the digest its server publishes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The file's SHA-256 as 64 lower-case hex digits; none when it cannot be read.
std::optional<std::string> FileSha256(const std::string& path);

/// The digest in a published ".sha256" text ("<hex>" or "<hex>  <name>"), lower-cased; none when malformed.
std::optional<std::string> ParseSha256Text(std::u16string_view text);

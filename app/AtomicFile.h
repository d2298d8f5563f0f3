// Replacing a file so that a crash leaves either the old or the new contents,
// never a half-written file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

/// Largest file ReadWholeFile reads unless told otherwise.
inline constexpr std::size_t kMaxReadBytes = 64u << 20;

/// Writes the bytes to a temporary file beside `path`, flushes it and renames it over `path`.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode);

/// Reads a whole regular file of at most `maxBytes`; false for anything else (missing, a folder, a pipe, a device, unreadable, too large).
bool ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes = kMaxReadBytes);

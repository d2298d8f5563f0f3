// Replacing a file so that a crash leaves either the old or the new contents,
// never a half-written file.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

/// Writes the bytes to a temporary file beside `path`, flushes it and renames it over `path`.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode);

/// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

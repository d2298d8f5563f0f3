// One fuzz iteration over the language-file reader, shared by the fuzzer and
// the replay test.
#pragma once

#include <cstddef>
#include <cstdint>

/// Reads the input as a language file and aborts when the reader's answers depend on the encoding or the line
/// ends, or a text holds a line end or untrimmed blanks.
void FuzzLanguageFileOnce(const std::uint8_t* data, std::size_t size);

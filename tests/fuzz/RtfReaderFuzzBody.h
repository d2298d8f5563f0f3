// One fuzz iteration over the rich edit field's RTF reader.
#pragma once

#include <cstddef>
#include <cstdint>

/// Reads the input as RTF and aborts when the result is out of shape or does not survive writing and reading again.
void FuzzRtfReaderOnce(const std::uint8_t* data, std::size_t size);

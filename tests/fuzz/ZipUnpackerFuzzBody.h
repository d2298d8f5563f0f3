// One fuzz iteration over the update archive unpacker, shared by the fuzzer
// and the replay test.
#pragma once

#include <cstddef>
#include <cstdint>

/// Unpacks the input, read from memory, into a process-wide temporary folder
/// with a small size limit, and aborts when something landed outside the
/// target, more than the limit was written, a file can be written by others,
/// or a refused archive left anything behind.
void FuzzZipUnpackerOnce(const std::uint8_t* data, std::size_t size);

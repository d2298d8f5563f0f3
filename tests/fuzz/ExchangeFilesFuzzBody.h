// One fuzz iteration over the exchange file importers, shared by the fuzzer
// and the replay test.
#pragma once

#include <cstddef>
#include <cstdint>

/// Imports the input as a profile file (first byte even) or a macro file (odd) into a process-wide store and
/// aborts when the database no longer agrees with what the import reported.
void FuzzExchangeFilesOnce(const std::uint8_t* data, std::size_t size);

// One fuzz iteration over the readers of update server answers (version text,
// published digest, version comparison), shared by the fuzzer and the replay test.
#pragma once

#include <cstddef>
#include <cstdint>

/// Reads the input as a version answer and as a digest answer, compares its
/// two lines as versions, and aborts when a result breaks what the updater
/// relies on (a version that names a file outside the download folder, a
/// digest that is not the one the text gives, an inconsistent comparison).
void FuzzUpdateAnswerOnce(const std::uint8_t* data, std::size_t size);

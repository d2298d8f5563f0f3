#include <cstddef>
#include <cstdint>

#include "tests/fuzz/RtfReaderFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzRtfReaderOnce(data, size);
  return 0;
}

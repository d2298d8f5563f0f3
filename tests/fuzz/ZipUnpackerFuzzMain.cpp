#include <cstddef>
#include <cstdint>

#include "tests/fuzz/ZipUnpackerFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzZipUnpackerOnce(data, size);
  return 0;
}

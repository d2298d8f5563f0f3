#include <cstddef>
#include <cstdint>

#include "tests/fuzz/LanguageFileFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzLanguageFileOnce(data, size);
  return 0;
}

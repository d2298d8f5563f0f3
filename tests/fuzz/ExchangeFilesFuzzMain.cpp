#include <cstddef>
#include <cstdint>

#include "tests/fuzz/ExchangeFilesFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzExchangeFilesOnce(data, size);
  return 0;
}

#include <cstddef>
#include <cstdint>

#include "tests/fuzz/UpdateAnswerFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzUpdateAnswerOnce(data, size);
  return 0;
}

#include <cstddef>
#include <cstdint>

#include "tests/fuzz/XmlDocumentFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzXmlDocumentOnce(data, size);
  return 0;
}

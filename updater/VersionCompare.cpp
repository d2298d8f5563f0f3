#include "updater/VersionCompare.h"

#include <algorithm>
#include <vector>

#include "zephui/Text.h"

namespace {

std::vector<int> Parts(std::u16string_view text) {
  std::vector<int> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = text.find(u'.', start);
    parts.push_back(ZephUI::ParseDecimal(text.substr(start, dot == std::u16string_view::npos ? text.npos : dot - start)));
    if (dot == std::u16string_view::npos) return parts;
    start = dot + 1;
  }
}

}  // namespace

// Texts with different part counts compare as if the shorter one had zeros
// appended, so 1.2 equals 1.2.0 and an installed 1.2.0 is not "older" than 1.2.
int CompareVersions(std::u16string_view installed, std::u16string_view latest) {
  std::vector<int> a = Parts(installed);
  std::vector<int> b = Parts(latest);
  const std::size_t count = std::max(a.size(), b.size());
  a.resize(count, 0);
  b.resize(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? 1 : -1;
  }
  return 0;
}

#include "tests/fuzz/UpdateAnswerFuzzBody.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "updater/Sha256.h"
#include "updater/Updater.h"
#include "updater/VersionCompare.h"
#include "zephui/Text.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "update answer invariant broken: %s\n", what);
  std::abort();
}

bool Blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

void CheckVersion(const std::u16string& answer) {
  const std::optional<std::u16string> version = Updater::AcceptVersion(answer);
  if (!version) return;
  Require(!version->empty() && version->size() <= 10, "accepted version outside 1 to 10 characters");
  const std::size_t at = answer.find(*version);
  Require(at != std::u16string::npos, "accepted version is not in the answer");
  for (std::size_t i = 0; i < answer.size(); ++i) {
    Require((i >= at && i < at + version->size()) || Blank(answer[i]), "more than blanks around the version");
  }
  Require(Updater::AcceptVersion(*version) == version, "an accepted version is not accepted again");
  // The version names the package and the program in the download folder.
  const std::filesystem::path folder = "/data/temp";
  const std::filesystem::path package = folder / ("Keyboard-Software-" + ZephUI::ToUtf8(*version) + ".zip");
  Require(package.lexically_normal().parent_path() == folder, "a version leads out of the download folder");
  (void)ZephUI::ParseDecimal(*version);  // read as a firmware version
}

void CheckDigest(const std::u16string& answer) {
  const std::optional<std::string> digest = ParseSha256Text(answer);
  if (!digest) return;
  Require(digest->size() == 64 && digest->find_first_not_of("0123456789abcdef") == std::string::npos,
          "digest is not 64 lower-case hex digits");
  std::size_t start = 0;
  while (start < answer.size() && Blank(answer[start])) ++start;
  const std::string given = ZephUI::ToUtf8(answer.substr(start, 64));
  Require(given.size() == 64 && strncasecmp(given.c_str(), digest->c_str(), 64) == 0, "digest differs from the text");
  Require(start + 64 == answer.size() || Blank(answer[start + 64]), "digest runs on into other text");
}

// Answers hold at most ten characters, installed versions come from our own
// catalogue; both are compared part by part with missing parts as zero.
void CheckCompare(const std::u16string& text) {
  const std::size_t line = text.find(u'\n');
  const std::u16string a = text.substr(0, line);
  const std::u16string b = line == std::u16string::npos ? std::u16string() : text.substr(line + 1);
  const int forward = CompareVersions(a, b);
  Require(forward >= -1 && forward <= 1, "compare outside -1..1");
  Require(CompareVersions(b, a) == -forward, "compare is not antisymmetric");
  Require(CompareVersions(a, a) == 0 && CompareVersions(a, a + u".0") == 0, "a version differs from itself");
}

}  // namespace

void FuzzUpdateAnswerOnce(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = ZephUI::ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckVersion(text);
  CheckDigest(text);
  CheckCompare(text);
  if (size >= sizeof(int)) {
    int firmware = 0;
    std::memcpy(&firmware, data, sizeof firmware);
    Require(Updater::FirmwareAsDecimal(firmware) >= 0, "firmware version read as a negative number");
  }
}

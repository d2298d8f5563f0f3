#include "updater/Sha256.h"

#include <glib.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
struct ChecksumFree {
  void operator()(GChecksum* c) const { g_checksum_free(c); }
};

}  // namespace

std::optional<std::string> FileSha256(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  std::unique_ptr<GChecksum, ChecksumFree> checksum(g_checksum_new(G_CHECKSUM_SHA256));
  if (!file || !checksum) return std::nullopt;
  unsigned char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    g_checksum_update(checksum.get(), buffer, static_cast<gssize>(n));
  }
  if (std::ferror(file.get()) != 0) return std::nullopt;
  return std::string(g_checksum_get_string(checksum.get()));  // lower-case hex
}

std::optional<std::string> ParseSha256Text(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == u' ' || text[start] == u'\t' || text[start] == u'\r' || text[start] == u'\n')) ++start;
  std::string hex;
  for (std::size_t i = start; i < text.size() && hex.size() < 64; ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'F') c = static_cast<char16_t>(c - u'A' + u'a');
    if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return std::nullopt;
    hex.push_back(static_cast<char>(c));
  }
  if (hex.size() != 64) return std::nullopt;
  const std::size_t end = start + 64;  // within the text: 64 digits were read
  const bool separated = end == text.size() || text[end] == u' ' || text[end] == u'\t' || text[end] == u'\r' ||
                         text[end] == u'\n';
  if (!separated) return std::nullopt;
  return hex;
}

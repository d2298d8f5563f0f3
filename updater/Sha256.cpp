#include "updater/Sha256.h"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
struct DigestFree {
  void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
};

}  // namespace

std::optional<std::string> FileSha256(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  std::unique_ptr<EVP_MD_CTX, DigestFree> context(EVP_MD_CTX_new());
  if (!file || !context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) return std::nullopt;
  unsigned char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    if (EVP_DigestUpdate(context.get(), buffer, n) != 1) return std::nullopt;
  }
  if (std::ferror(file.get()) != 0) return std::nullopt;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1) return std::nullopt;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) hex += {kHex[digest[i] >> 4], kHex[digest[i] & 15]};
  return hex;
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

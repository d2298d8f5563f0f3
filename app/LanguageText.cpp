#include "app/LanguageText.h"

#include <sys/stat.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

#include "app/AtomicFile.h"
#include "app/LanguageFile.h"
#include "app/Paths.h"
#include "zephui/Text.h"

namespace {

std::atomic<int> g_languageId{0};

// Cuts to the limit without leaving half of a surrogate pair behind.
std::u16string CutText(std::u16string text) {
  if (text.size() <= kMaxLanguageTextLength) return text;
  text.resize(kMaxLanguageTextLength);
  if (text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
  return text;
}

// What tells one version of a file from another without reading it.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedNs = 0;
  long long changedNs = 0;  // also moves on chmod, which can make an unreadable file readable
  bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const auto ns = [](const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; };
  return FileStamp{info.st_dev, info.st_ino, info.st_size, ns(info.st_mtim), ns(info.st_ctim)};
}

// The language file last read. A lookup reads the file only when the path
// (and with it the language) differs or the file has changed since.
class LanguageCache {
 public:
  std::u16string Lookup(const std::string& path, std::string_view section, std::string_view key) {
    const std::optional<FileStamp> stamp = StampOf(path);
    if (!stamp) return {};
    if (std::optional<std::u16string> text = Find(path, *stamp, section, key)) return CutText(std::move(*text));
    // Read and parse outside the lock; a racing reader's copy is just as good.
    std::string bytes;
    auto file = std::make_unique<LanguageFile>(ReadWholeFile(path, bytes) ? LanguageFile::Parse(bytes) : LanguageFile());
    std::optional<std::u16string> text = file->Find(section, key);
    std::lock_guard<std::mutex> lock(lock_);
    path_ = path;
    stamp_ = *stamp;
    file_ = std::move(file);
    return text ? CutText(std::move(*text)) : std::u16string();
  }

 private:
  // The text from the held file; none when the file is not held (or the key is missing).
  std::optional<std::u16string> Find(const std::string& path, const FileStamp& stamp, std::string_view section,
                                     std::string_view key) {
    std::lock_guard<std::mutex> lock(lock_);
    if (file_ == nullptr || path != path_ || !(stamp == stamp_)) return std::nullopt;
    return file_->Find(section, key).value_or(std::u16string());
  }

  std::mutex lock_;
  std::string path_;
  FileStamp stamp_;
  std::unique_ptr<LanguageFile> file_;
};

LanguageCache& Cache() {
  static LanguageCache cache;
  return cache;
}

}  // namespace

int GetLanguageId() { return g_languageId.load(std::memory_order_relaxed); }

void SetLanguageId(int languageId) { g_languageId.store(languageId, std::memory_order_relaxed); }

std::u16string ReadLanguageText(const std::string& programFolder, int languageId, std::u16string_view section, int number) {
  const std::string path = programFolder + "language/" + std::to_string(languageId) + ".lan";
  return Cache().Lookup(path, ZephUI::ToUtf8(section), std::to_string(number));
}

std::u16string GetLanguageText(std::u16string_view section, int number) {
  return ReadLanguageText(GetModuleFolder(), GetLanguageId(), section, number);
}

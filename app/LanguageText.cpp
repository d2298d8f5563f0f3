#include "app/LanguageText.h"

#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "app/AtomicFile.h"
#include "app/BuiltInEnglish.h"
#include "app/LanguageFile.h"
#include "app/Paths.h"
#include "app/SystemLanguage.h"
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

// The language file last read. A file is read again only when the path (and
// with it the language) differs or the file has changed since.
class LanguageCache {
 public:
  /// The parsed file at `path`; null when it is missing or cannot be read.
  std::shared_ptr<const LanguageFile> Get(const std::string& path) {
    const std::optional<FileStamp> stamp = StampOf(path);
    if (!stamp) return nullptr;
    {
      std::lock_guard<std::mutex> lock(lock_);
      if (file_ != nullptr && path == path_ && *stamp == stamp_) return file_;
    }
    // Read and parse outside the lock; a racing reader's copy is just as good.
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return nullptr;
    auto file = std::make_shared<const LanguageFile>(LanguageFile::Parse(bytes));
    std::lock_guard<std::mutex> lock(lock_);
    path_ = path;
    stamp_ = *stamp;
    file_ = file;
    return file;
  }

  /// Says once per process and file that texts come from elsewhere.
  void ReportFallback(const std::string& missing, const char* instead) {
    std::lock_guard<std::mutex> lock(lock_);
    if (!reported_.insert(missing).second) return;
    std::fprintf(stderr, "language file %s cannot be read; using %s\n", missing.c_str(), instead);
  }

 private:
  std::mutex lock_;
  std::string path_;
  FileStamp stamp_;
  std::shared_ptr<const LanguageFile> file_;
  std::set<std::string> reported_;
};

LanguageCache& Cache() {
  static LanguageCache cache;
  return cache;
}

const LanguageFile& BuiltInEnglish() {
  static const LanguageFile file = LanguageFile::Parse(BuiltInEnglishTexts());
  return file;
}

std::string LanguagePath(const std::string& programFolder, int languageId) {
  return programFolder + "language/" + std::to_string(languageId) + ".lan";
}

// The chosen language's file, else the English file beside it, else the English texts built in.
std::optional<std::u16string> FindText(const std::string& programFolder, int languageId, std::string_view section,
                                       std::string_view key) {
  const std::string path = LanguagePath(programFolder, languageId);
  if (const auto file = Cache().Get(path)) return file->Find(section, key);
  const std::string english = LanguagePath(programFolder, kLanguageEnglishUs);
  if (english != path) {
    if (const auto file = Cache().Get(english)) {
      Cache().ReportFallback(path, "the English texts");
      return file->Find(section, key);
    }
  }
  Cache().ReportFallback(english, "the English texts built into the program");
  return BuiltInEnglish().Find(section, key);
}

}  // namespace

int GetLanguageId() { return g_languageId.load(std::memory_order_relaxed); }

void SetLanguageId(int languageId) { g_languageId.store(languageId, std::memory_order_relaxed); }

std::u16string ReadLanguageText(const std::string& programFolder, int languageId, std::u16string_view section, int number) {
  std::optional<std::u16string> text = FindText(programFolder, languageId, ZephUI::ToUtf8(section), std::to_string(number));
  return text ? CutText(std::move(*text)) : std::u16string();
}

std::u16string GetLanguageText(std::u16string_view section, int number) {
  return ReadLanguageText(GetModuleFolder(), GetLanguageId(), section, number);
}

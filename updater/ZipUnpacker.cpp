#include "updater/ZipUnpacker.h"

#include <minizip/unzip.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr unsigned long kMadeByUnix = 3;  // host system byte of "version made by"

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

struct Entry {
  std::string name;
  bool folder = false;
  unsigned mode = 0;  // unix permission bits when the archive has them
};

// Reads the entry names and kinds; false on a damaged archive or an unsafe entry.
bool ListEntries(unzFile zip, std::vector<Entry>& entries, UnpackResult& refusal) {
  for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
    unz_file_info64 info{};
    char name[4096];
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    const unsigned unixMode = (info.version >> 8) == kMadeByUnix ? static_cast<unsigned>(info.external_fa >> 16) : 0;
    if (!ZipUnpacker::IsSafeEntryName(name) || S_ISLNK(unixMode)) {
      refusal = UnpackResult::Refused;
      return false;
    }
    const std::string entryName(name);
    entries.push_back(Entry{entryName, entryName.back() == '/', unixMode & 0777});
  }
  return true;
}

bool WriteCurrent(unzFile zip, const std::string& path) {
  if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  bool ok = out != nullptr;
  char buffer[16384];
  for (int n = 0; ok && (n = unzReadCurrentFile(zip, buffer, sizeof buffer)) != 0;) {
    ok = n > 0 && std::fwrite(buffer, 1, static_cast<std::size_t>(n), out) == static_cast<std::size_t>(n);
  }
  if (out != nullptr) ok = std::fclose(out) == 0 && ok;
  return unzCloseCurrentFile(zip) == UNZ_OK && ok;  // the close checks the entry's CRC
}

}  // namespace

bool ZipUnpacker::IsSafeEntryName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos) return false;
  if (name.find('\0') != std::string::npos) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = name.find('/', start);
    const std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part == "..") return false;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return true;
}

UnpackResult ZipUnpacker::Unpack(const std::string& archive, const std::string& folder) {
  ZipHandle zip(unzOpen64(archive.c_str()));
  if (!zip) return UnpackResult::Unreadable;
  std::vector<Entry> entries;
  UnpackResult refusal = UnpackResult::Unreadable;
  if (!ListEntries(zip.get(), entries, refusal)) return refusal;
  std::size_t index = 0;
  for (int status = unzGoToFirstFile(zip.get()); status == UNZ_OK; status = unzGoToNextFile(zip.get()), ++index) {
    const Entry& entry = entries[index];
    const std::filesystem::path target = folder + entry.name;
    std::error_code error;
    std::filesystem::create_directories(entry.folder ? target : target.parent_path(), error);
    if (error) return UnpackResult::Unreadable;
    if (entry.folder) continue;
    if (!WriteCurrent(zip.get(), target.string())) return UnpackResult::Unreadable;
    if (entry.mode != 0) ::chmod(target.c_str(), entry.mode);
  }
  return UnpackResult::Unpacked;
}

#include "updater/ZipUnpacker.h"

#include <minizip/unzip.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "updater/UnpackTrail.h"

namespace {

constexpr unsigned long kMadeByUnix = 3;  // host system byte of "version made by"
constexpr unsigned long kMaxNameBytes = 4095;  // a path the system can open (PATH_MAX less its end)

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

struct Entry {
  std::string name;
  bool folder = false;
  unsigned mode = 0;  // unix permission bits when the archive has them
};

// The archive only says whether a file is a program; nobody but its owner may
// change it, and the owner always can, so a later unpack can replace it.
unsigned SafeMode(unsigned archiveMode) { return (archiveMode & S_IXUSR) != 0 ? 0755 : 0644; }

// The target folder may not exist yet; its disk is the one of its nearest existing parent.
std::filesystem::path NearestExisting(std::filesystem::path path) {
  std::error_code error;
  while (!std::filesystem::exists(path, error) && path.has_parent_path() && path != path.parent_path()) {
    path = path.parent_path();
  }
  return path;
}

// Bytes this unpack may write: the fixed limit, and never more than the disk
// has free above the margin.
unsigned long long Budget(const std::string& folder, const UnpackLimits& limits) {
  const unsigned long long limit = static_cast<unsigned long long>(std::max(0LL, limits.maxTotalBytes));
  std::error_code error;
  const std::filesystem::space_info space = std::filesystem::space(NearestExisting(folder), error);
  if (error) return limit;  // the writes themselves still fail on a full disk, and are then removed
  const unsigned long long margin = static_cast<unsigned long long>(std::max(0LL, limits.freeSpaceMargin));
  return std::min(limit, space.available > margin ? space.available - margin : 0);
}

// Reads the current entry's name at its stored length (minizip leaves a name
// that fills the buffer unterminated) and its kind.
UnpackResult ReadEntry(unzFile zip, Entry& entry, unsigned long long& size) {
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return UnpackResult::Unreadable;
  }
  if (info.size_filename > kMaxNameBytes) return UnpackResult::Refused;
  std::string name(info.size_filename, '\0');
  if (unzGetCurrentFileInfo64(zip, &info, name.data(), name.size(), nullptr, 0, nullptr, 0) != UNZ_OK) {
    return UnpackResult::Unreadable;
  }
  const unsigned unixMode = (info.version >> 8) == kMadeByUnix ? static_cast<unsigned>(info.external_fa >> 16) : 0;
  if (!ZipUnpacker::IsSafeEntryName(name) || S_ISLNK(unixMode)) return UnpackResult::Refused;
  entry = Entry{name, name.back() == '/', unixMode & 0777};
  size = info.uncompressed_size;
  return UnpackResult::Unpacked;
}

// Lists every entry, or says why the archive is refused: an unsafe entry, a
// listing that breaks off or disagrees with the end record's count, or sizes
// that are already more than may be written.
UnpackResult ListEntries(unzFile zip, std::vector<Entry>& entries, unsigned long long budget) {
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(zip, &global) != UNZ_OK) return UnpackResult::Unreadable;
  if (global.number_entry == 0) {
    return unzGoToFirstFile(zip) == UNZ_OK ? UnpackResult::Unreadable : UnpackResult::Unpacked;
  }
  unsigned long long claimed = 0;
  int status = unzGoToFirstFile(zip);
  for (; status == UNZ_OK; status = unzGoToNextFile(zip)) {
    Entry entry;
    unsigned long long size = 0;
    const UnpackResult read = ReadEntry(zip, entry, size);
    if (read != UnpackResult::Unpacked) return read;
    if (size > budget - claimed) return UnpackResult::TooLarge;
    claimed += size;
    entries.push_back(std::move(entry));
  }
  const bool complete = status == UNZ_END_OF_LIST_OF_FILE && entries.size() == global.number_entry;
  return complete ? UnpackResult::Unpacked : UnpackResult::Unreadable;
}

// Counts the bytes as they are inflated, whatever the archive claims.
UnpackResult Copy(unzFile zip, std::FILE* out, unsigned long long budget, unsigned long long& written) {
  char buffer[16384];
  for (;;) {
    const int n = unzReadCurrentFile(zip, buffer, sizeof buffer);
    if (n == 0) return UnpackResult::Unpacked;
    if (n < 0) return UnpackResult::Unreadable;
    written += static_cast<unsigned long long>(n);
    if (written > budget) return UnpackResult::TooLarge;
    if (std::fwrite(buffer, 1, static_cast<std::size_t>(n), out) != static_cast<std::size_t>(n)) {
      return UnpackResult::Unreadable;
    }
  }
}

UnpackResult WriteCurrent(unzFile zip, const std::string& path, unsigned long long budget,
                          unsigned long long& written, UnpackTrail& trail) {
  if (unzOpenCurrentFile(zip) != UNZ_OK) return UnpackResult::Unreadable;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  UnpackResult result = UnpackResult::Unreadable;
  if (out != nullptr) {
    trail.AddFile(path);
    result = Copy(zip, out, budget, written);
    if (std::fclose(out) != 0 && result == UnpackResult::Unpacked) result = UnpackResult::Unreadable;
  }
  // The close checks the entry's CRC.
  if (unzCloseCurrentFile(zip) != UNZ_OK && result == UnpackResult::Unpacked) result = UnpackResult::Unreadable;
  return result;
}

UnpackResult WriteEntries(unzFile zip, const std::vector<Entry>& entries, const std::string& folder,
                          unsigned long long budget, UnpackTrail& trail) {
  unsigned long long written = 0;
  std::size_t index = 0;
  for (int status = unzGoToFirstFile(zip); status == UNZ_OK && index < entries.size();
       status = unzGoToNextFile(zip), ++index) {
    const Entry& entry = entries[index];
    const std::filesystem::path target = folder + entry.name;
    if (!trail.MakeFolders(target.parent_path())) return UnpackResult::Unreadable;
    if (entry.folder) continue;
    const UnpackResult result = WriteCurrent(zip, target.string(), budget, written, trail);
    if (result != UnpackResult::Unpacked) return result;
    if (entry.mode != 0) ::chmod(target.c_str(), SafeMode(entry.mode));
  }
  return index == entries.size() ? UnpackResult::Unpacked : UnpackResult::Unreadable;
}

UnpackResult UnpackOpened(const ZipHandle& zip, const std::string& folder, const UnpackLimits& limits) {
  if (!zip) return UnpackResult::Unreadable;
  const unsigned long long budget = Budget(folder, limits);
  std::vector<Entry> entries;
  const UnpackResult listed = ListEntries(zip.get(), entries, budget);
  if (listed != UnpackResult::Unpacked) return listed;
  UnpackTrail trail;
  const UnpackResult written = WriteEntries(zip.get(), entries, folder, budget, trail);
  if (written != UnpackResult::Unpacked) trail.Undo();
  return written;
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

UnpackResult ZipUnpacker::Unpack(const std::string& archive, const std::string& folder, const UnpackLimits& limits) {
  return UnpackOpened(ZipHandle(unzOpen64(archive.c_str())), folder, limits);
}

UnpackResult ZipUnpacker::Unpack(zlib_filefunc64_def_s& reader, const std::string& archive, const std::string& folder,
                                 const UnpackLimits& limits) {
  return UnpackOpened(ZipHandle(unzOpen2_64(archive.c_str(), &reader)), folder, limits);
}

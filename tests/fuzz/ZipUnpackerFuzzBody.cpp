#include "tests/fuzz/ZipUnpackerFuzzBody.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/fuzz/MemoryZipReader.h"
#include "updater/ZipUnpacker.h"

namespace fs = std::filesystem;

namespace {

constexpr long long kLimit = 1 << 20;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "zip unpacker invariant broken: %s\n", what);
  std::abort();
}

// The target sits two folders deep, so an entry that climbs out of it lands
// somewhere the checks can see.
struct FuzzFolders {
  FuzzFolders() {
    char pattern[] = "/tmp/zf-unpack-XXXXXX";
    Require(::mkdtemp(pattern) != nullptr, "temp folder");
    root = std::string(pattern) + "/";
    fs::create_directories(root + "a/b");
    out = root + "a/b/out/";
  }
  ~FuzzFolders() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  FuzzFolders(const FuzzFolders&) = delete;
  FuzzFolders& operator=(const FuzzFolders&) = delete;

  std::string root;
  std::string out;
};

FuzzFolders& Folders() {
  static FuzzFolders folders;
  return folders;
}

// Only the two parents and the target may exist below the root.
void CheckNothingEscaped(const FuzzFolders& f) {
  const fs::path target = fs::path(f.out).parent_path();
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(f.root)) {
    const fs::path p = e.path();
    const bool parent = p == fs::path(f.root + "a") || p == fs::path(f.root + "a/b");
    const auto [end, ignored] = std::mismatch(target.begin(), target.end(), p.begin(), p.end());
    Require(parent || end == target.end(), "an entry landed outside the target folder");
  }
}

long long CheckWrittenFiles(const FuzzFolders& f) {
  long long total = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(f.out)) {
    Require(!e.is_symlink(), "a symbolic link was written");
    if (!e.is_regular_file()) continue;
    struct stat info {};
    Require(::stat(e.path().c_str(), &info) == 0, "stat of a written file");
    Require((info.st_mode & (S_IWGRP | S_IWOTH | S_ISUID | S_ISGID)) == 0, "a written file is writable by others");
    total += static_cast<long long>(info.st_size);
  }
  return total;
}

}  // namespace

void FuzzZipUnpackerOnce(const std::uint8_t* data, std::size_t size) {
  FuzzFolders& f = Folders();
  MemoryZipReader reader(data, size);
  const UnpackResult result = ZipUnpacker::Unpack(reader.Functions(), "fuzz.zip", f.out, UnpackLimits{kLimit, 0});
  CheckNothingEscaped(f);
  if (result == UnpackResult::Unpacked) {
    if (fs::exists(f.out)) Require(CheckWrittenFiles(f) <= kLimit, "more than the limit was written");
  } else {
    Require(!fs::exists(f.out), "a refused archive left files behind");
  }
  std::error_code ignored;
  fs::remove_all(f.out, ignored);
}

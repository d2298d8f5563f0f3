#include "app/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Reads to the end; a file that grows past the limit while we read is refused.
bool ReadAll(int fd, std::size_t expected, std::string& bytes, std::size_t maxBytes) {
  std::string out;
  out.reserve(expected);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    if (out.size() + static_cast<std::size_t>(n) > maxBytes) return false;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  bytes = std::move(out);
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode) {
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && ::rename(name.data(), path.c_str()) == 0) return true;
  ::unlink(name.data());
  return false;
}

// Only a regular file is read. A folder, a pipe or a device is refused before
// it is opened; opening without blocking keeps one swapped in meanwhile from
// stalling us before fstat sees what it is.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                       static_cast<std::uint64_t>(info.st_size) <= maxBytes;
  const bool read = regular && ReadAll(fd, static_cast<std::size_t>(info.st_size), bytes, maxBytes);
  ::close(fd);
  return read;
}

#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) ::close(fd_);
}

SingleInstance::Result SingleInstance::Acquire(const std::string& folder, const std::string& name) {
  path_ = folder + name + ".lock";
  const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Result::First;  // no lock to be had: run rather than refuse
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    fd_ = fd;
    return Result::First;
  }
  const int error = errno;
  ::close(fd);
  return error == EWOULDBLOCK ? Result::AlreadyRunning : Result::First;
}

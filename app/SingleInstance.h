// Refuses a second running copy: an exclusive lock on a file named after the
// device name, held for the life of the process and released by the system.
#pragma once

#include <string>

class SingleInstance {
 public:
  enum class Result {
    First,           ///< this copy holds the lock (or no lock could be had at all)
    AlreadyRunning,  ///< another copy holds it
  };

  SingleInstance() = default;
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  /// Takes the lock file "<folder><name>.lock".
  Result Acquire(const std::string& folder, const std::string& name);

  /// The lock file's path after Acquire.
  const std::string& LockPath() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

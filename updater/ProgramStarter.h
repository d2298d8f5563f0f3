// Starting a downloaded installer or update tool as a process of its own.
#pragma once

#include <string>

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  /// Makes the file executable and starts it detached; false when it could not be started.
  virtual bool Start(const std::string& path) = 0;
};

/// The real starter: chmod 0755, then posix_spawn with the program's folder as working folder.
class SpawnProgramStarter : public ProgramStarter {
 public:
  /// Starts the program; it outlives this process.
  bool Start(const std::string& path) override;
};

// CommandRunner on posix_spawnp and waitpid; safe to call from a process
// with other threads running.
#pragma once

#include "macros/virtualdevice/CommandRunner.h"

class PosixCommandRunner : public CommandRunner {
 public:
  /// Spawns with the current environment and waits; a signal death counts as status 128 + signal.
  std::optional<int> RunAndWait(const std::vector<std::string>& argv) override;
};

// Starts a program and waits for it: posix_spawn in the product, a recording
// fake in the tests (which must never raise a privilege prompt).
#pragma once

#include <optional>
#include <string>
#include <vector>

class CommandRunner {
 public:
  virtual ~CommandRunner() = default;
  /// Runs argv[0] (found in PATH) with the rest as arguments and waits; its exit status, nothing if it never started.
  virtual std::optional<int> RunAndWait(const std::vector<std::string>& argv) = 0;
};

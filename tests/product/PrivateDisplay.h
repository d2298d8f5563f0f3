// An Xvfb of the end-to-end run's own, on a free display number (Xvfb picks
// it and reports it through -displayfd), with a 1920 x 1080 screen in 24-bit
// colour; stopped with the object.
#pragma once

#include <sys/types.h>

#include <string>

class PrivateDisplay {
 public:
  PrivateDisplay() = default;
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  /// Starts the server and points DISPLAY at it; false when it cannot run.
  bool Start();
  /// The display name, ":N".
  const std::string& Name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

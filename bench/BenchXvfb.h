// A private Xvfb for the benchmarks that need an X server: started on a
// display number it picks itself, stopped with the object, and asked how much
// processor time it used.
#pragma once

#include <sys/types.h>

#include <string>

class BenchXvfb {
 public:
  /// Starts Xvfb with one screen of `width` x `height` at 24 bits; empty Name() when it could not start.
  BenchXvfb(int width, int height);
  /// Stops the server.
  ~BenchXvfb();
  BenchXvfb(const BenchXvfb&) = delete;
  BenchXvfb& operator=(const BenchXvfb&) = delete;

  /// The display name, ":N".
  const std::string& Name() const { return name_; }
  /// User and system time the server has used, in seconds.
  double CpuSeconds() const;

 private:
  pid_t pid_ = -1;
  std::string name_;
};

// A private PulseAudio server for the audio tests: a child process with two
// null sinks ("test", the default, and "other") and a native socket in a
// temporary folder, so no user session or system server is touched.
#pragma once

#include <string>
#include <sys/types.h>

class PulseTestServer {
 public:
  /// The server program's path; empty when it is not installed.
  static std::string Program();

  /// Uses the folder (which must exist) for the socket, runtime and state files.
  explicit PulseTestServer(std::string folder) : folder_(std::move(folder)) {}
  /// Ends the server if it still runs.
  ~PulseTestServer() { Stop(); }
  PulseTestServer(const PulseTestServer&) = delete;
  PulseTestServer& operator=(const PulseTestServer&) = delete;

  /// Starts the server and waits until it answers; false when it does not.
  bool Start();
  /// Ends the server and waits for it to exit.
  void Stop();
  /// The address clients connect to.
  std::string Address() const { return "unix:" + folder_ + "native"; }
  /// Makes a sink the default one; false when the server refuses.
  bool SetDefaultSink(const std::string& sink) const;
  /// Adds a null sink of that name; its module's index, or -1 when the server refuses.
  int LoadNullSink(const std::string& sink) const;
  /// Removes a module added by LoadNullSink (its sink and monitor go with it); false when the server refuses.
  bool UnloadModule(int module) const;
  /// Plays a sine tone of the given frequency and amplitude into a sink for the given time; false on failure.
  bool PlayTone(const std::string& sink, double frequency, double amplitude, double seconds) const;

 private:
  bool WaitUntilAnswering() const;

  std::string folder_;
  pid_t child_ = -1;
};

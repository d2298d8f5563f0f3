// Starts tests/updater/update_server.py on a free loopback port for one test
// and stops it afterwards.
#pragma once

#include <string>

class UpdateServer {
 public:
  /// Serves the files of `folder`.
  explicit UpdateServer(const std::string& folder);
  /// Kills the server.
  ~UpdateServer();
  UpdateServer(const UpdateServer&) = delete;
  UpdateServer& operator=(const UpdateServer&) = delete;

  /// True when the server answered with its port.
  bool Running() const { return port_ > 0; }
  /// "http://127.0.0.1:<port>/" followed by `path`.
  std::string Url(const std::string& path) const;

 private:
  int pid_ = -1;
  int port_ = 0;
};

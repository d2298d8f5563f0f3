// The sound the music mode can follow: the default output's monitor, named
// "Default Loopback Device", and the monitors of the other outputs the sound
// server lists. Asking the server takes a moment, so callers ask off the
// user-interface thread.
#pragma once

#include <string>
#include <vector>

struct AudioMonitor {
  std::string sourceName;  ///< the server's source name; empty for the default output's monitor
  std::u16string label;    ///< what the list shows
};

class AudioMonitorList {
 public:
  /// The default output's monitor first, then every other output's; only the first without a sound server.
  static std::vector<AudioMonitor> Read(int timeoutMs = 500);
  /// Only the default output's monitor, without asking the server.
  static std::vector<AudioMonitor> Defaults();
};

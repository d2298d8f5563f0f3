// A file chooser portal for tests: owns org.freedesktop.portal.Desktop on the
// session bus, records each OpenFile or SaveFile call with its options,
// replies with the request path the portal would use and then sends the
// Response signal the test asked for. It serves the bus on a thread of its own.
#pragma once

#include <systemd/sd-bus.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zephuitest {

class FakePortal {
 public:
  /// What one call carried.
  struct Call {
    std::string method;                      ///< "OpenFile" or "SaveFile"
    std::string parent;                      ///< parent_window
    std::string title;                       ///< title
    std::map<std::string, std::string> text; ///< string options, booleans as "true"/"false"
    std::string folder;                      ///< current_folder, with its terminating NUL
    std::vector<std::pair<std::string, std::vector<std::string>>> filters;  ///< name and glob patterns
  };

  /// Answers every call with `response` and, for 0, the one URI `uri`.
  FakePortal(std::uint32_t response, std::string uri);
  /// Stops serving and leaves the bus.
  ~FakePortal();
  FakePortal(const FakePortal&) = delete;
  FakePortal& operator=(const FakePortal&) = delete;

  /// Whether the portal's name is owned.
  bool Ready() const { return bus_ != nullptr; }
  /// The calls so far.
  std::vector<Call> Calls() const;
  /// The methods' handler (in the object's vtable).
  static int OnCallEntry(sd_bus_message* call, void* self, sd_bus_error* error);

 private:
  static int ReadOptions(sd_bus_message* call, Call& record);
  static int ReadFilters(sd_bus_message* call, Call& record);
  void Serve();
  void Answer(sd_bus_message* call, const std::string& token);

  std::uint32_t response_;
  std::string uri_;
  sd_bus* bus_ = nullptr;
  sd_bus_slot* object_ = nullptr;
  int stopFd_ = -1;
  std::thread thread_;
  mutable std::mutex lock_;
  std::vector<Call> calls_;
};

}  // namespace zephuitest

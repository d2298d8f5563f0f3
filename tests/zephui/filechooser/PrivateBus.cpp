#include "tests/zephui/filechooser/PrivateBus.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

extern char** environ;

namespace zephuitest {

PrivateBus::PrivateBus() {
  char name[] = "/tmp/zbus-XXXXXX";
  if (mkdtemp(name) == nullptr) return;
  folder_ = name;
  const std::string config = folder_ + "/bus.conf";
  const std::string address = "unix:path=" + folder_ + "/bus";
  std::ofstream(config) << "<busconfig><type>session</type><listen>" << address << "</listen>"
                        << "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\"/>"
                        << "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n";
  int ready[2];
  if (pipe(ready) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ready[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);  // its notes on fd limits are noise here
  const std::string configArg = "--config-file=" + config;
  std::vector<char*> argv{const_cast<char*>("dbus-daemon"), const_cast<char*>(configArg.c_str()),
                          const_cast<char*>("--nofork"), const_cast<char*>("--print-address=1"), nullptr};
  if (posix_spawnp(&pid_, "dbus-daemon", &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(ready[1]);
  // The daemon prints its address once it listens.
  char buffer[512];
  const ssize_t got = pid_ > 0 ? read(ready[0], buffer, sizeof buffer) : -1;
  close(ready[0]);
  if (got <= 0) return;
  setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  listening_ = true;
}

PrivateBus::~PrivateBus() {
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

}  // namespace zephuitest

#include "tests/product/PrivateDisplay.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

// Xvfb writes the display number it chose to this descriptor once it accepts clients.
constexpr int kDisplayFd = 3;

}  // namespace

PrivateDisplay::~PrivateDisplay() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}

bool PrivateDisplay::Start() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  // Above the descriptor the child expects, so dup2 makes a new, inheritable one.
  const int writeEnd = fcntl(fds[1], F_DUPFD_CLOEXEC, 10);
  close(fds[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, writeEnd, kDisplayFd);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args{"Xvfb",   "-displayfd", std::to_string(kDisplayFd), "-screen",
                                "0",      "1920x1080x24", "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(writeEnd);
  if (spawned != 0) pid_ = -1;
  std::string number;
  char c = 0;
  while (spawned == 0 && read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  close(fds[0]);
  if (number.empty()) return false;
  name_ = ":" + number;
  setenv("DISPLAY", name_.c_str(), 1);
  return true;
}

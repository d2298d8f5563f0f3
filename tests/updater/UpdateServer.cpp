#include "tests/updater/UpdateServer.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern char** environ;

UpdateServer::UpdateServer(const std::string& folder) {
  int fds[2];
  if (pipe(fds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::string script = std::string(UPDATE_SERVER_SCRIPT);
  std::string python = "python3";
  std::string dir = folder;
  char* argv[] = {python.data(), script.data(), dir.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "python3", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    return;
  }
  pid_ = pid;
  char line[32] = {};
  std::FILE* out = fdopen(fds[0], "r");
  if (out != nullptr && std::fgets(line, sizeof line, out) != nullptr) port_ = std::atoi(line);
  if (out != nullptr) std::fclose(out);
}

UpdateServer::~UpdateServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

std::string UpdateServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/" + path;
}

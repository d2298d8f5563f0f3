#include "updater/ProgramStarter.h"

#include <spawn.h>
#include <sys/stat.h>

#include <vector>

extern char** environ;

bool SpawnProgramStarter::Start(const std::string& path) {
  if (::chmod(path.c_str(), 0755) != 0) return false;
  std::vector<char> program(path.begin(), path.end());
  program.push_back('\0');
  char* argv[] = {program.data(), nullptr};
  pid_t pid = 0;
  return posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) == 0;
}

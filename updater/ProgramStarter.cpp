#include "updater/ProgramStarter.h"

#include <spawn.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

extern char** environ;

// The path is made absolute first: the child changes into the program's
// folder before it runs the program, so a relative path would no longer lead
// to it.
bool SpawnProgramStarter::Start(const std::string& path) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::absolute(path, error);
  if (error || ::chmod(program.c_str(), 0755) != 0) return false;
  const std::string folder = program.parent_path().string();
  std::vector<char> name(program.native().begin(), program.native().end());
  name.push_back('\0');
  char* argv[] = {name.data(), nullptr};
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  pid_t pid = 0;
  int result = posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  if (result == 0) result = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  return result == 0;
}

#include "tests/zephui/desktop/DesktopSession.h"

#include <X11/Xlib.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace zephuitest {
namespace {

pid_t Spawn(std::vector<std::string> args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  pid = -1;
}

}  // namespace

std::string DesktopName(Desktop desktop) {
  switch (desktop) {
    case Desktop::Openbox: return "openbox";
    case Desktop::OpenboxXcompmgr: return "openbox_xcompmgr";
    default: return "bare";
  }
}

DesktopSession::~DesktopSession() {
  StopCompositor();
  StopWindowManager();
}

bool DesktopSession::Owned(const char* selection) const {
  const Atom atom = XInternAtom(client_, selection, 0);
  return XGetSelectionOwner(client_, atom) != None;
}

bool DesktopSession::WaitFor(const char* selection, bool owned) const {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < giveUp) {
    if (Owned(selection) == owned) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

bool DesktopSession::FramesWindows() const {
  const Window probe = XCreateSimpleWindow(client_, DefaultRootWindow(client_), 0, 0, 10, 10, 0, 0, 0);
  XMapWindow(client_, probe);
  XSync(client_, 0);
  bool framed = false;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (int round = 1; !framed && std::chrono::steady_clock::now() < giveUp; ++round) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (round % 25 == 0) {
      // A window mapped while the manager is still starting can slip past it: map it again.
      XUnmapWindow(client_, probe);
      XMapWindow(client_, probe);
      XSync(client_, 0);
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(client_, probe, &root, &parent, &children, &count);
    if (children != nullptr) XFree(children);
    framed = parent != root;
  }
  XDestroyWindow(client_, probe);
  XSync(client_, 0);
  return framed;
}

bool DesktopSession::StartWindowManager() {
  if (windowManager_ > 0) return true;
  // Openbox's own defaults, the same on every machine whatever the system's configuration says.
  const std::string config = "/tmp/zephui_openbox_" + std::to_string(getpid()) + ".xml";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<openbox_config xmlns=\"http://openbox.org/3.4/rc\"/>\n";
  // Now and then openbox takes its selection and then manages nothing; it is started again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    windowManager_ = Spawn({"openbox", "--sm-disable", "--config-file", config});
    if (windowManager_ > 0 && WaitFor("WM_S0", true) && FramesWindows()) return true;
    StopWindowManager();
  }
  return false;
}

void DesktopSession::StopWindowManager() {
  if (windowManager_ <= 0) return;
  Stop(windowManager_);
  WaitFor("WM_S0", false);
}

bool DesktopSession::StartCompositor() {
  if (compositor_ > 0) return true;
  // No shadows or fading of its own: what shows is what the program draws.
  compositor_ = Spawn({"xcompmgr"});
  return compositor_ > 0 && WaitFor("_NET_WM_CM_S0", true);
}

void DesktopSession::StopCompositor() {
  if (compositor_ <= 0) return;
  Stop(compositor_);
  WaitFor("_NET_WM_CM_S0", false);
}

bool DesktopSession::Switch(Desktop desktop) {
  if (desktop != Desktop::OpenboxXcompmgr) StopCompositor();
  if (desktop == Desktop::Bare) StopWindowManager();
  if (desktop != Desktop::Bare && !StartWindowManager()) return false;
  return desktop != Desktop::OpenboxXcompmgr || StartCompositor();
}

}  // namespace zephuitest

#include "lighting/ScreenXDisplay.h"

#include <map>
#include <mutex>

namespace {

// Xlib's error handlers are process-wide, and the default ones end the
// process. The screen light's connections are registered here: their errors
// are counted, anyone else's go to the handler that was installed before.
struct ConnectionState {
  bool failed = false;  // a request failed since the last Sync
  bool broken = false;  // the connection to the server is lost
};

std::mutex connectMutex;   // pairs each open with its registration, each close with its removal
std::mutex registryMutex;
std::map<Display*, ConnectionState> registry;  // guarded by registryMutex
XErrorHandler previousErrorHandler = nullptr;
XIOErrorHandler previousIoErrorHandler = nullptr;

// Applies `change` to an own connection's state; false when the connection is not ours.
template <typename Change>
bool UpdateState(Display* display, Change change) {
  std::lock_guard lock(registryMutex);
  const auto found = registry.find(display);
  if (found == registry.end()) return false;
  change(found->second);
  return true;
}

int OnError(Display* display, XErrorEvent* event) {
  if (UpdateState(display, [](ConnectionState& state) { state.failed = true; })) return 0;
  return previousErrorHandler != nullptr ? previousErrorHandler(display, event) : 0;
}

int OnIoError(Display* display) {
  if (UpdateState(display, [](ConnectionState& state) { state.broken = true; })) return 0;
  return previousIoErrorHandler != nullptr ? previousIoErrorHandler(display) : 0;
}

// Called instead of exit() when an own connection is lost.
void OnIoErrorExit(Display* display, void*) {
  UpdateState(display, [](ConnectionState& state) { state.broken = true; });
}

void InstallHandlers() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    previousErrorHandler = XSetErrorHandler(&OnError);
    previousIoErrorHandler = XSetIOErrorHandler(&OnIoError);
  });
}

}  // namespace

std::unique_ptr<ScreenXDisplay> ScreenXDisplay::Open(const std::string& name) {
  std::lock_guard connecting(connectMutex);
  Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
  if (display == nullptr) return nullptr;
  InstallHandlers();
  {
    std::lock_guard lock(registryMutex);
    registry[display] = ConnectionState{};
  }
  XSetIOErrorExitHandler(display, &OnIoErrorExit, nullptr);
  return std::unique_ptr<ScreenXDisplay>(new ScreenXDisplay(display));
}

ScreenXDisplay::ScreenXDisplay(Display* display) : display_(display) {}

ScreenXDisplay::~ScreenXDisplay() {
  std::lock_guard closing(connectMutex);
  XCloseDisplay(display_);
  std::lock_guard lock(registryMutex);
  registry.erase(display_);
}

Window ScreenXDisplay::Root() const { return DefaultRootWindow(display_); }

bool ScreenXDisplay::Sync() {
  if (!Broken()) XSync(display_, False);
  return !TakeError() && !Broken();
}

bool ScreenXDisplay::TakeError() {
  bool failed = false;
  UpdateState(display_, [&failed](ConnectionState& state) {
    failed = state.failed;
    state.failed = false;
  });
  return failed;
}

bool ScreenXDisplay::Broken() const {
  bool broken = false;
  UpdateState(display_, [&broken](ConnectionState& state) { broken = state.broken; });
  return broken;
}

#include "tests/lighting/PulseTestServer.h"

#include <pulse/pulseaudio.h>
#include <pulse/simple.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <numbers>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// Runs one context operation on a private main loop until it finishes.
class BlockingContext {
 public:
  explicit BlockingContext(const std::string& server)
      : loop_(pa_mainloop_new()), context_(pa_context_new(pa_mainloop_get_api(loop_), "pulse test")) {
    if (pa_context_connect(context_, server.c_str(), PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return;
    while (Iterate()) {
      const pa_context_state_t state = pa_context_get_state(context_);
      if (state == PA_CONTEXT_READY) ready_ = true;
      if (ready_ || !PA_CONTEXT_IS_GOOD(state)) break;
    }
  }
  ~BlockingContext() {
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    pa_mainloop_free(loop_);
  }
  bool Ready() const { return ready_; }
  bool SetDefaultSink(const std::string& sink) {
    bool ok = false;
    const auto done = [](pa_context*, int success, void* result) { *static_cast<bool*>(result) = success != 0; };
    return Finish(pa_context_set_default_sink(context_, sink.c_str(), done, &ok)) && ok;
  }
  int LoadModule(const std::string& name, const std::string& argument) {
    std::uint32_t index = PA_INVALID_INDEX;
    const auto done = [](pa_context*, std::uint32_t given, void* result) { *static_cast<std::uint32_t*>(result) = given; };
    if (!Finish(pa_context_load_module(context_, name.c_str(), argument.c_str(), done, &index))) return -1;
    return index == PA_INVALID_INDEX ? -1 : static_cast<int>(index);
  }
  bool UnloadModule(int module) {
    bool ok = false;
    const auto done = [](pa_context*, int success, void* result) { *static_cast<bool*>(result) = success != 0; };
    return Finish(pa_context_unload_module(context_, static_cast<std::uint32_t>(module), done, &ok)) && ok;
  }

 private:
  bool Iterate() { return pa_mainloop_iterate(loop_, 1, nullptr) >= 0; }
  // Runs the loop until the operation is done; false when there was none.
  bool Finish(pa_operation* operation) {
    if (!operation) return false;
    while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING && Iterate()) {
    }
    pa_operation_unref(operation);
    return true;
  }

  pa_mainloop* loop_;
  pa_context* context_;
  bool ready_ = false;
};

std::vector<std::string> Environment(const std::string& folder) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string item = *entry;
    const std::string name = item.substr(0, item.find('='));
    if (name == "HOME" || name.starts_with("XDG_") || name.starts_with("PULSE_")) continue;
    env.push_back(item);
  }
  for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"}) {
    env.push_back(std::string(name) + "=" + folder);
  }
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::string PulseTestServer::Program() {
  for (const char* path : {"/usr/bin/pulseaudio", "/usr/local/bin/pulseaudio"}) {
    if (access(path, X_OK) == 0) return path;
  }
  return {};
}

bool PulseTestServer::Start() {
  const std::string program = Program();
  if (program.empty() || child_ > 0) return false;
  std::vector<std::string> args = {program,
                                   "--daemonize=no",
                                   "--exit-idle-time=-1",
                                   "-n",
                                   "--use-pid-file=no",
                                   "--disallow-exit",
                                   "--log-target=stderr",
                                   "--load=module-null-sink sink_name=test",
                                   "--load=module-null-sink sink_name=other",
                                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + folder_ + "native"};
  std::vector<std::string> env = Environment(folder_);
  auto argv = Pointers(args);
  auto envp = Pointers(env);
  const int log = open((folder_ + "server.log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  const pid_t parent = getpid();
  child_ = fork();
  if (child_ == 0) {
    // Only async-signal-safe calls here. The server dies with the test, even when the test crashes.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1);
    if (log >= 0) {
      dup2(log, STDOUT_FILENO);
      dup2(log, STDERR_FILENO);
    }
    execve(program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  if (log >= 0) close(log);
  if (child_ < 0) return false;
  return WaitUntilAnswering() && SetDefaultSink("test");
}

void PulseTestServer::Stop() {
  if (child_ <= 0) return;
  kill(child_, SIGTERM);
  int status = 0;
  waitpid(child_, &status, 0);
  child_ = -1;
}

bool PulseTestServer::WaitUntilAnswering() const {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (BlockingContext(Address()).Ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

bool PulseTestServer::SetDefaultSink(const std::string& sink) const {
  BlockingContext context(Address());
  return context.Ready() && context.SetDefaultSink(sink);
}

int PulseTestServer::LoadNullSink(const std::string& sink) const {
  BlockingContext context(Address());
  return context.Ready() ? context.LoadModule("module-null-sink", "sink_name=" + sink) : -1;
}

bool PulseTestServer::UnloadModule(int module) const {
  BlockingContext context(Address());
  return context.Ready() && context.UnloadModule(module);
}

bool PulseTestServer::PlayTone(const std::string& sink, double frequency, double amplitude, double seconds) const {
  const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, 48000, 2};
  int error = 0;
  pa_simple* player = pa_simple_new(Address().c_str(), "pulse test", PA_STREAM_PLAYBACK, sink.c_str(), "tone", &spec,
                                    nullptr, nullptr, &error);
  if (!player) return false;
  const int frames = static_cast<int>(seconds * spec.rate);
  std::vector<float> buffer(static_cast<std::size_t>(frames) * 2);
  for (int n = 0; n < frames; ++n) {
    const auto v = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency * n / spec.rate));
    buffer[static_cast<std::size_t>(n) * 2] = v;
    buffer[static_cast<std::size_t>(n) * 2 + 1] = v;
  }
  const bool written = pa_simple_write(player, buffer.data(), buffer.size() * sizeof(float), &error) == 0 &&
                       pa_simple_drain(player, &error) == 0;
  pa_simple_free(player);
  return written;
}

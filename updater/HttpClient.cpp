#include "updater/HttpClient.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "app/Paths.h"
#include "updater/fetch/FetchStatus.h"
#include "zephui/Text.h"

extern char** environ;

namespace {

// Starts the helper with its standard output on `out`, with no other of our
// descriptors, no blocked signals and default handling of the signals that end it.
int SpawnHelper(const std::vector<std::string>& args, int out) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) sigaddset(&signals, signal);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int error = posix_spawn(&pid, args[0].c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

void ReadToEnd(int fd, const std::function<void(const char*, std::size_t)>& output) {
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    output(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

HttpClient::HttpClient(HttpLimits limits) : limits_(limits) {}

void HttpClient::Stop() {
  std::lock_guard lock(mutex_);
  if (child_ <= 0) return;
  stopped_ = true;
  ::kill(child_, SIGTERM);
}

bool HttpClient::Stopping() {
  std::lock_guard lock(mutex_);
  return stopped_;
}

TransferResult HttpClient::Run(const std::vector<std::string>& operands, long long maxBytes, const Output& output) {
  std::vector<std::string> args{GetModuleFolder() + kFetchHelperName,
                                "--connect-timeout", std::to_string(limits_.connectTimeoutSeconds),
                                "--stall", std::to_string(limits_.stallSeconds),
                                "--max-bytes", std::to_string(maxBytes)};
  args.insert(args.end(), operands.begin(), operands.end());
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return TransferResult::NoConnection;
  int pid = -1;
  {
    std::lock_guard lock(mutex_);
    stopped_ = false;
    pid = child_ = SpawnHelper(args, fds[1]);
  }
  ::close(fds[1]);
  if (pid > 0) ReadToEnd(fds[0], output);
  ::close(fds[0]);
  return pid > 0 ? Reap(pid) : TransferResult::NoConnection;
}

// Waits for the helper's end without reaping it first, so that Stop() never
// signals a process id the system may already have handed to another process.
TransferResult HttpClient::Reap(int pid) {
  siginfo_t info{};
  while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  bool stopped = false;
  {
    std::lock_guard lock(mutex_);
    child_ = -1;
    stopped = stopped_;
  }
  int status = 0;
  pid_t reaped = -1;
  while ((reaped = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
  }
  if (stopped) return TransferResult::Stopped;
  if (reaped != pid || !WIFEXITED(status)) return TransferResult::Failed;
  return FetchResultOf(WEXITSTATUS(status));
}

TransferResult HttpClient::FetchText(const std::string& url, std::u16string& text) {
  std::string bytes;
  bool tooLarge = false;
  TransferResult result = Run({"text", url}, limits_.maxTextBytes, [&](const char* data, std::size_t size) {
    tooLarge = tooLarge || static_cast<long long>(bytes.size() + size) > limits_.maxTextBytes;
    if (!tooLarge) bytes.append(data, size);
  });
  if (result == TransferResult::Complete && tooLarge) result = TransferResult::Failed;
  if (result != TransferResult::Complete) bytes.clear();
  text = ZephUI::ToUtf16(bytes);
  return result;
}

TransferResult HttpClient::DownloadFile(const std::string& url, const std::string& path, const Progress& progress) {
  std::string line;
  const TransferResult result =
      Run({"file", url, path}, limits_.maxFileBytes, [&](const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
          if (data[i] != '\n') {
            line.push_back(data[i]);
            continue;
          }
          if (progress && !Stopping()) progress(std::atoi(line.c_str()));
          line.clear();
        }
      });
  // A helper that was ended or died may have left its partial file, or even
  // renamed a complete one just before its stop.
  if (result != TransferResult::Complete) {
    ::unlink(FetchPartialPath(path).c_str());
    ::unlink(path.c_str());
  }
  return result;
}

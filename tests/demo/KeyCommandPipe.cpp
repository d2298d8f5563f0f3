#include "tests/demo/KeyCommandPipe.h"

#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "tests/demo/DemoInspector.h"
#include "tests/demo/SimulatedKeySource.h"

namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::optional<int> KeyCodeOf(std::string_view name) {
  int number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error == std::errc() && end == name.data() + name.size()) {
    return number > 0 && number <= KEY_MAX ? std::optional(number) : std::nullopt;
  }
  const int code = libevdev_event_code_from_name_n(EV_KEY, name.data(), name.size());
  return code >= 0 ? std::optional(code) : std::nullopt;
}

}  // namespace

KeyCommandPipe::KeyCommandPipe(SimulatedKeySource& source) : source_(source) {}

KeyCommandPipe::~KeyCommandPipe() { Stop(); }

bool KeyCommandPipe::Start(const std::string& path) {
  Stop();
  if (mkfifo(path.c_str(), 0600) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "key pipe: cannot make %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  // Opened for writing too, so the pipe never reads as ended between two writers.
  fifo_ = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  struct stat info {};
  if (fifo_ < 0 || fstat(fifo_, &info) != 0 || !S_ISFIFO(info.st_mode)) {
    std::fprintf(stderr, "key pipe: %s is not a FIFO that can be opened\n", path.c_str());
    Stop();
    return false;
  }
  stop_ = eventfd(0, EFD_CLOEXEC);
  if (stop_ < 0) {
    Stop();
    return false;
  }
  thread_ = std::thread([this] { Run(); });
  return true;
}

void KeyCommandPipe::Stop() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(stop_, &one, sizeof one);
    thread_.join();
  }
  for (int* fd : {&fifo_, &stop_}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
  partial_.clear();
}

void KeyCommandPipe::Run() {
  pollfd watched[2] = {{fifo_, POLLIN, 0}, {stop_, POLLIN, 0}};
  char buffer[512];
  for (;;) {
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if ((watched[1].revents & POLLIN) != 0) return;
    const ssize_t count = read(fifo_, buffer, sizeof buffer);
    if (count > 0) HandleBytes(std::string_view(buffer, static_cast<std::size_t>(count)));
    if (count < 0 && errno != EAGAIN && errno != EINTR) return;
  }
}

void KeyCommandPipe::HandleBytes(std::string_view bytes) {
  partial_.append(bytes);
  std::size_t end;
  while ((end = partial_.find('\n')) != std::string::npos) {
    HandleLine(std::string_view(partial_).substr(0, end));
    partial_.erase(0, end + 1);
  }
}

void KeyCommandPipe::HandleLine(std::string_view line) {
  if (Trim(line).empty() || HandleQuestion(Trim(line))) return;
  const std::optional<KeyCommand> command = Parse(line);
  if (!command) {
    std::fprintf(stderr, "key pipe: not a command: %.*s\n", static_cast<int>(line.size()), line.data());
    return;
  }
  KeyDelivery delivery = KeyDelivery::ToFilter;
  if (command->action != KeyAction::Release) delivery = source_.Press(command->code);
  if (command->action != KeyAction::Press) delivery = source_.Release(command->code);
  // The driving program learns whether the key filter had the keyboard.
  std::printf("key pipe: %.*s: %s\n", static_cast<int>(Trim(line).size()), Trim(line).data(),
              delivery == KeyDelivery::ToFilter ? "to the key filter" : "not served, dropped");
  std::fflush(stdout);
}

bool KeyCommandPipe::HandleQuestion(std::string_view line) {
  const auto gap = line.find_first_of(" \t");
  const std::string_view verb = line.substr(0, gap);
  if (inspector_ == nullptr || gap == std::string_view::npos || (verb != "controls" && verb != "state")) return false;
  const std::string path(Trim(line.substr(gap)));
  // Asked many times a second while a driver waits, so only a question that cannot be answered is reported.
  const bool queued = verb == "controls" ? inspector_->WriteControls(path) : inspector_->WriteState(path);
  if (!queued) std::fprintf(stderr, "key pipe: %.*s: no program window to answer\n", static_cast<int>(line.size()), line.data());
  return true;
}

std::optional<KeyCommand> KeyCommandPipe::Parse(std::string_view line) {
  line = Trim(line);
  const auto gap = line.find_first_of(" \t");
  if (gap == std::string_view::npos) return std::nullopt;
  const std::string_view verb = line.substr(0, gap);
  const std::optional<int> code = KeyCodeOf(Trim(line.substr(gap)));
  if (!code) return std::nullopt;
  if (verb == "press") return KeyCommand{KeyAction::Press, *code};
  if (verb == "release") return KeyCommand{KeyAction::Release, *code};
  if (verb == "tap") return KeyCommand{KeyAction::Tap, *code};
  return std::nullopt;
}

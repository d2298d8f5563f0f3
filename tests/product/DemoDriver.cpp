#include "tests/product/DemoDriver.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

constexpr auto kPollPause = std::chrono::milliseconds(50);

std::vector<std::string> ChildEnvironment(const std::string& home) {
  const std::vector<std::pair<std::string, std::string>> own{
      {"XDG_CONFIG_HOME", home + "/config"},      {"XDG_DATA_HOME", home + "/data"},
      {"XDG_RUNTIME_DIR", home + "/runtime"},     {"PELMORA_DEMO_KEYS", home + "/keys"},
      {"LANG", "en_US.UTF-8"},                    {"LC_ALL", ""},
      {"LC_MESSAGES", ""}};
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string line(*entry);
    const std::string name = line.substr(0, line.find('='));
    bool replaced = name == "PELMORA_SCREENSHOT";
    for (const auto& [key, value] : own) replaced = replaced || key == name;
    if (!replaced) result.push_back(line);
  }
  for (const auto& [key, value] : own) {
    if (!value.empty()) result.push_back(key + "=" + value);
  }
  return result;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::optional<ControlInfo> ParseControl(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  if (fields.size() != 10) return std::nullopt;
  ControlInfo info;
  info.kind = fields[0];
  info.id = static_cast<unsigned>(std::stoul(fields[1]));
  info.index = std::stoi(fields[2]);
  info.value = std::stoi(fields[3]);
  info.className = fields[4];
  info.text = fields[5];
  info.left = std::stoi(fields[6]);
  info.top = std::stoi(fields[7]);
  info.right = std::stoi(fields[8]);
  info.bottom = std::stoi(fields[9]);
  return info;
}

}  // namespace

DemoDriver::DemoDriver(std::string home) : home_(std::move(home)) {}

DemoDriver::~DemoDriver() {
  if (Running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (display_ != nullptr) XCloseDisplay(display_);
}

bool DemoDriver::Start(const std::string& program) {
  for (const char* folder : {"/config", "/data", "/runtime"}) std::filesystem::create_directories(home_ + folder);
  chmod((home_ + "/runtime").c_str(), 0700);
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) return false;
  std::vector<std::string> environment = ChildEnvironment(home_);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string log = home_ + "/output.log";
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) pid_ = -1;
  return spawned == 0;
}

void DemoDriver::Reap() {
  int status = 0;
  if (pid_ > 0 && !status_ && waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
}

bool DemoDriver::Running() {
  Reap();
  return pid_ > 0 && !status_;
}

std::optional<ProgramEnd> DemoDriver::WaitForEnd() {
  if (pid_ <= 0 || !Eventually([&] { return !Running(); })) return std::nullopt;
  return ProgramEnd{WIFEXITED(*status_), WIFEXITED(*status_) ? WEXITSTATUS(*status_) : -1};
}

std::string DemoDriver::Output() const { return ReadFile(home_ + "/output.log"); }

bool DemoDriver::Send(const std::string& line) {
  const std::string fifo = home_ + "/keys";
  int fd = -1;
  // The program makes the FIFO when it starts; a writer may open it once it holds it open for reading.
  if (!Eventually([&] { return (fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) >= 0; })) return false;
  const std::string text = line + "\n";
  const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  return written;
}

std::string DemoDriver::Ask(const std::string& verb) {
  const std::string path = home_ + "/answer-" + std::to_string(++answers_);
  if (!Send(verb + " " + path)) return {};
  if (!Eventually([&] { return std::filesystem::exists(path) || !Running(); })) return {};
  std::string text = ReadFile(path);
  std::filesystem::remove(path);
  return text;
}

std::vector<ControlInfo> DemoDriver::Controls() {
  std::vector<ControlInfo> controls;
  std::istringstream lines(Ask("controls"));
  int window = -1;
  for (std::string line; std::getline(lines, line);) {
    std::optional<ControlInfo> info = ParseControl(line);
    if (!info) continue;
    if (info->kind == "window") ++window;
    info->window = window;
    controls.push_back(std::move(*info));
  }
  return controls;
}

KeyboardState DemoDriver::State() {
  KeyboardState state;
  std::istringstream lines(Ask("state"));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    std::vector<int> values;
    for (int value = 0; words >> value;) values.push_back(value);
    // Each light is a line of its own: "light 3 0 0 255" is kept as "light 3" -> 0 0 255.
    if (name == "light" && !values.empty()) {
      name += " " + std::to_string(values.front());
      values.erase(values.begin());
    }
    state[name] = values;
  }
  return state;
}

void DemoDriver::Click(int x, int y, unsigned button) {
  XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
  XSync(display_, False);
  // The program sees the pointer arrive (hover) before the button, as with a hand on the mouse.
  std::this_thread::sleep_for(std::chrono::milliseconds(80));
  XTestFakeButtonEvent(display_, button, True, CurrentTime);
  XTestFakeButtonEvent(display_, button, False, CurrentTime);
  XSync(display_, False);
}

void DemoDriver::Drag(int fromX, int fromY, int toX, int toY) {
  constexpr int kSteps = 10;
  XTestFakeMotionEvent(display_, -1, fromX, fromY, CurrentTime);
  XSync(display_, False);
  std::this_thread::sleep_for(std::chrono::milliseconds(80));
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  XSync(display_, False);
  for (int step = 1; step <= kSteps; ++step) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    XTestFakeMotionEvent(display_, -1, fromX + (toX - fromX) * step / kSteps, fromY + (toY - fromY) * step / kSteps,
                         CurrentTime);
    XSync(display_, False);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(80));
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  XSync(display_, False);
}

void DemoDriver::Type(const std::vector<KeySym>& keysyms) {
  for (KeySym sym : keysyms) {
    const KeyCode code = XKeysymToKeycode(display_, sym);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XSync(display_, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
  }
}

bool DemoDriver::Screenshot(const ControlInfo& window, const std::string& path) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  if (width <= 0 || height <= 0) return false;
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), window.left, window.top,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) row[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  cairo_surface_mark_dirty(surface);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  XDestroyImage(image);
  return written;
}

bool DemoDriver::Eventually(const std::function<bool()>& done, std::chrono::milliseconds patience) {
  const auto giveUp = std::chrono::steady_clock::now() + patience;
  while (std::chrono::steady_clock::now() < giveUp) {
    if (done()) return true;
    if (idle_) idle_();
    std::this_thread::sleep_for(kPollPause);
  }
  return done();
}

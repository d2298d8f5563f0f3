// A program whose X server goes away (log-out, a crashed server) ends by
// itself: its message loop is told to quit, it runs its usual ending and exits
// with 0. The program is this test binary run again as a child with its own
// Xvfb, which the test kills under it.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/zephui/backend/XvfbServer.h"
#include "tests/zephui/windows/SampleDialog.h"
#include "tests/zephui/windows/SampleFactory.h"
#include "zephui/Backend.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

extern char** environ;

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr const char* kChildReport = "ZEPHUI_SERVER_LOSS_REPORT";

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Waits for the child to end, at most `seconds`; its wait status, or none.
std::optional<int> WaitForChild(pid_t child, int seconds) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < giveUp) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

// The child's side: a dialog on its own server and the program's message loop.
TEST(ServerLoss, ChildRunsItsLoopUntilTheServerGoes) {
  const char* report = std::getenv(kChildReport);
  if (report == nullptr) GTEST_SKIP() << "runs only as the child of ServerLoss.TheProgramEndsCleanly";
  XvfbServer server;
  ASSERT_TRUE(server.Start());
  ASSERT_TRUE(SelectBackend(BackendKind::X11));
  RegisterSampleControls();
  SampleDialog dialog;
  ASSERT_NE(dialog.Create(nullptr, u"Sample dialog", WS_POPUP | WS_VISIBLE, 0, Rect{100, 100, 460, 300}), nullptr);
  std::ofstream(report) << server.Pid() << "\n" << std::flush;
  MSG msg;
  while (GetMessage(msg)) {
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  dialog.DestroyWindow();
  std::ofstream(report, std::ios::app) << "loop ended\n";
}

TEST(ServerLoss, TheProgramEndsCleanlyWhenItsServerIsKilled) {
  if (std::getenv(kChildReport) != nullptr) GTEST_SKIP() << "the child does not start children";
  const std::filesystem::path report = std::filesystem::temp_directory_path() / ("zephui_server_loss_" + std::to_string(getpid()));
  std::filesystem::remove(report);
  setenv(kChildReport, report.c_str(), 1);
  std::string exe = std::filesystem::read_symlink("/proc/self/exe");
  std::string filter = "--gtest_filter=ServerLoss.ChildRunsItsLoopUntilTheServerGoes";
  char* argv[] = {exe.data(), filter.data(), nullptr};
  pid_t child = -1;
  const int spawned = posix_spawn(&child, exe.c_str(), nullptr, nullptr, argv, environ);
  unsetenv(kChildReport);
  ASSERT_EQ(spawned, 0);
  pid_t server = -1;
  for (int i = 0; i < 400 && server <= 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    server = static_cast<pid_t>(std::atoi(ReadAll(report).c_str()));
  }
  ASSERT_GT(server, 0) << "the child never showed its dialog";
  kill(server, SIGKILL);
  const std::optional<int> status = WaitForChild(child, 20);
  if (!status) kill(child, SIGKILL);
  ASSERT_TRUE(status.has_value()) << "the program hangs without its server";
  EXPECT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
  EXPECT_NE(ReadAll(report).find("loop ended"), std::string::npos) << "the loop ended and the program ran its ending";
  std::filesystem::remove(report);
}

}  // namespace
}  // namespace zephuitest

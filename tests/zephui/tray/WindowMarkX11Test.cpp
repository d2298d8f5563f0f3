// A second process finds the running copy's hidden, marked window on the
// display and brings it back.
#include <spawn.h>
#include <sys/wait.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/zephui/tray/DesktopX11Fixture.h"
#include "zephui/WindowMark.h"

extern char** environ;

using namespace ZephUI;

namespace zephuitest {
namespace {

class WindowMarkX11 : public DesktopX11Fixture {
 protected:
  /// Starts the helper asking for `name`; its exit code once it ended, pumping meanwhile.
  std::optional<int> RunSecondCopy(const std::string& name, const std::function<bool()>& alsoWaitFor) {
    std::vector<std::string> args{ZEPHUI_MARK_HELPER, name};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return std::nullopt;
    std::optional<int> code;
    PumpUntil([&] {
      int status = 0;
      if (!code && waitpid(pid, &status, WNOHANG) == pid) code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      return code && alsoWaitFor();
    });
    if (!code) {
      int status = 0;
      waitpid(pid, &status, 0);
    }
    return code;
  }
};

TEST_P(WindowMarkX11, ASecondCopyShowsTheHiddenMarkedWindowAndFindsNoneUnderAnotherName) {
  RecordingProcedure procedure;
  const HWND main = CreateWindowEx(0, u"X11Fixture", u"main", WS_POPUP, 100, 100, 200, 150, nullptr, &procedure);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(SetWindowMark(main, u"Pelmora keyboard T40"));
  ShowWindow(main, SW_SHOW);
  ShowWindow(main, SW_HIDE);  // as when closed to the tray: it was shown once, then hidden
  ASSERT_FALSE(IsWindowVisible(main));

  EXPECT_EQ(RunSecondCopy("Pelmora keyboard T40", [&] { return IsWindowVisible(main) && GetForegroundWindow() == main; }),
            0);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetForegroundWindow(), main);

  EXPECT_EQ(RunSecondCopy("Another program", [] { return true; }), 1);
  DestroyWindow(main);
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowMarkX11, ::testing::Values(Desktop::Bare, Desktop::Openbox), DesktopParamName);

}  // namespace
}  // namespace zephuitest

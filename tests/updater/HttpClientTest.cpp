#include "updater/HttpClient.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/wait.h>
#include <netinet/in.h>
#include <spawn.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <vector>

#include "app/Paths.h"
#include "tests/support/TempFolder.h"
#include "tests/updater/UpdateServer.h"
#include "updater/fetch/FetchStatus.h"

extern char** environ;

namespace {

// A port nobody listens on: bind one, read its number, close it.
int ClosedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

// Children of this process running the fetch helper, zombies included ("pid (name) state ppid ...",
// the name cut to 15 bytes).
int FetchHelperChildren() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream file(entry.path() / "stat");
    std::string stat;
    if (!std::getline(file, stat)) continue;
    const std::size_t open = stat.find('(');
    const std::size_t close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    std::istringstream rest(stat.substr(close + 1));
    char state = 0;
    int parent = 0;
    rest >> state >> parent;
    const std::string name = stat.substr(open + 1, close - open - 1);
    if (parent == getpid() && std::string(kFetchHelperName).starts_with(name)) ++count;
  }
  return count;
}

class HttpClientTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Running()) << "python3 could not start the test server"; }

  testsupport::TempFolder site_;
  testsupport::TempFolder downloads_;
  UpdateServer server_{site_.Path()};
  HttpClient http_{HttpLimits{5, 1, 64 * 1024, 1LL << 30}};
};

TEST_F(HttpClientTest, TextAnswersAndErrorPages) {
  site_.Write("software/version", "1.0.10");
  std::u16string text;
  EXPECT_EQ(http_.FetchText(server_.Url("software/version"), text), TransferResult::Complete);
  EXPECT_EQ(text, u"1.0.10");
  EXPECT_EQ(http_.FetchText(server_.Url("error/version"), text), TransferResult::Failed);
  EXPECT_EQ(http_.FetchText(server_.Url("software/missing"), text), TransferResult::Failed);
  EXPECT_EQ(http_.FetchText("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/version", text),
            TransferResult::Failed);
}

TEST_F(HttpClientTest, HugeTextAnswerIsCutOff) {
  site_.Write("big", std::string(200 * 1024, 'v'));
  std::u16string text;
  EXPECT_EQ(http_.FetchText(server_.Url("big"), text), TransferResult::Failed);
}

TEST_F(HttpClientTest, DownloadPostsEveryStateOnceInOrder) {
  site_.Write("pkg.zip", std::string(100 * 1024, 'z'));
  std::vector<int> states;
  const std::string target = downloads_.Path() + "pkg.zip";
  ASSERT_EQ(http_.DownloadFile(server_.Url("pkg.zip"), target, [&](int s) { states.push_back(s); }),
            TransferResult::Complete);
  EXPECT_EQ(downloads_.Read("pkg.zip").size(), 100u * 1024);
  ASSERT_GE(states.size(), 6u);
  EXPECT_EQ((std::vector<int>(states.begin(), states.begin() + 4)), (std::vector<int>{0, 2, 8, 10}));
  EXPECT_EQ(states.back(), 100);
  for (std::size_t i = 1; i < states.size(); ++i) EXPECT_LT(states[i - 1], states[i]) << "at " << i;
}

TEST_F(HttpClientTest, StalledOrTruncatedDownloadsFailAndLeaveNoFile) {
  const std::string target = downloads_.Path() + "pkg.zip";
  downloads_.Write("pkg.zip", "old package");
  EXPECT_EQ(http_.DownloadFile(server_.Url("truncated/pkg.zip"), target, nullptr), TransferResult::Failed);
  EXPECT_FALSE(downloads_.Exists("pkg.zip"));
  EXPECT_FALSE(downloads_.Exists("pkg.zip.part"));
  EXPECT_EQ(http_.DownloadFile(server_.Url("stall/pkg.zip"), target, nullptr), TransferResult::Failed);
  EXPECT_FALSE(downloads_.Exists("pkg.zip"));
  EXPECT_EQ(http_.DownloadFile(server_.Url("error/pkg.zip"), target, nullptr), TransferResult::Failed);
  EXPECT_FALSE(downloads_.Exists("pkg.zip"));
}

TEST_F(HttpClientTest, ClearingTheKeepGoingFlagStopsAfterTheCurrentChunk) {
  site_.Write("pkg.zip", std::string(1024 * 1024, 'z'));
  const std::string target = downloads_.Path() + "pkg.zip";
  std::vector<int> states;
  const TransferResult result = http_.DownloadFile(server_.Url("pkg.zip"), target, [&](int state) {
    states.push_back(state);
    if (state >= 10) http_.Stop();  // as the window's cancel would, between two chunks
  });
  EXPECT_EQ(result, TransferResult::Stopped);
  EXPECT_FALSE(downloads_.Exists("pkg.zip"));
  EXPECT_NE(states.back(), 100);
}

TEST_F(HttpClientTest, StopFromAnotherThreadEndsAStalledHelperAndLeavesNothing) {
  HttpClient patient{HttpLimits{5, 120, 64 * 1024, 1LL << 30}};  // only Stop() can end this transfer early
  downloads_.Write("pkg.zip", "old package");
  const std::string target = downloads_.Path() + "pkg.zip";
  std::promise<void> receiving;
  std::thread canceller([&] {
    receiving.get_future().wait();
    patient.Stop();
  });
  std::vector<int> states;
  const TransferResult result = patient.DownloadFile(server_.Url("stall/pkg.zip"), target, [&](int state) {
    states.push_back(state);
    if (state == 10) receiving.set_value();  // the first bytes are in; the server now sends nothing
  });
  canceller.join();
  EXPECT_EQ(result, TransferResult::Stopped);
  EXPECT_FALSE(downloads_.Exists("pkg.zip"));
  EXPECT_FALSE(downloads_.Exists("pkg.zip.part"));
  EXPECT_EQ(FetchHelperChildren(), 0);
  ASSERT_FALSE(states.empty());
  EXPECT_NE(states.back(), 100);
}

// Run normally, this starts a copy of the test program in a folder without the
// helper and expects this same test to pass there; in that folder it checks
// that requests end as NoConnection and a download leaves no file.
TEST(HttpClientWithoutHelper, RequestsGiveNoConnection) {
  const std::string self = GetModuleFolder();
  if (std::filesystem::exists(self + kFetchHelperName)) {
    testsupport::TempFolder alone;
    const std::string copy = alone.Path() + "updater_tests";
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    std::error_code error;
    std::filesystem::create_hard_link(program, copy, error);
    if (error) std::filesystem::copy_file(program, copy);
    std::string name = copy;
    std::string filter = "--gtest_filter=HttpClientWithoutHelper.RequestsGiveNoConnection";
    char* argv[] = {name.data(), filter.data(), nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, copy.c_str(), nullptr, nullptr, argv, environ), 0);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    return;
  }
  testsupport::TempFolder downloads;
  HttpClient http;
  std::u16string text = u"stale";
  EXPECT_EQ(http.FetchText("http://127.0.0.1:9/version", text), TransferResult::NoConnection);
  EXPECT_TRUE(text.empty());
  downloads.Write("pkg.zip", "old package");
  EXPECT_EQ(http.DownloadFile("http://127.0.0.1:9/pkg.zip", downloads.Path() + "pkg.zip", nullptr),
            TransferResult::NoConnection);
  EXPECT_FALSE(downloads.Exists("pkg.zip"));
}

}  // namespace

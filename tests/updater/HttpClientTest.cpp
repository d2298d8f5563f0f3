#include "updater/HttpClient.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/updater/UpdateServer.h"

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

}  // namespace

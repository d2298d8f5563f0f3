#include "updater/Updater.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/updater/UpdateServer.h"
#include "tests/updater/ZipMaker.h"
#include "updater/HttpClient.h"
#include "updater/ProgramStarter.h"
#include "updater/Sha256.h"

namespace {

class RecordingHost : public UpdaterHost {
 public:
  void StopCheckTimer() override { log.push_back("stop-timer"); }
  void SetSoftwareUpgradeMarker() override { log.push_back("software-marker"); }
  void SetFirmwareUpgradeMarker() override { log.push_back("firmware-marker"); }
  void QueueFirmwareUpdate() override { log.push_back("queue-15"); }
  void PostProgress(int state) override { progress.push_back(state); }
  std::optional<int> ReadFirmwareVersion() override { return firmware; }
  void CloseHid() override { log.push_back("close-hid"); }
  void ExitProgram(int code) override { log.push_back("exit " + std::to_string(code)); }

  std::vector<std::string> log;
  std::vector<int> progress;
  std::optional<int> firmware;
};

class UpdaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Running());
    sources_.installedVersion = u"1.0.3";
    sources_.softwareBaseUrl = ZephUI_Url("software/");
    sources_.firmwareBaseUrl = ZephUI_Url("firmware/");
    sources_.downloadFolder = user_.Path() + "temp/";
  }
  std::u16string ZephUI_Url(const std::string& path) const {
    const std::string url = server_.Url(path);
    return std::u16string(url.begin(), url.end());
  }
  // A package whose program writes a marker file when it runs.
  void Publish(const std::string& stem, const std::string& version, bool withDigest) {
    const std::string marker = user_.Path() + "started-" + version;
    const std::string zip = site_.Path() + (stem.rfind("Firmware", 0) == 0 ? "firmware/" : "software/") + stem +
                            "-" + version + ".zip";
    site_.Write((stem.rfind("Firmware", 0) == 0 ? "firmware/" : "software/") + std::string("placeholder"), "");
    ASSERT_TRUE(MakeZip(zip, {{stem + "-" + version, "#!/bin/sh\necho ran > '" + marker + "'\n", 0100755}}));
    if (withDigest) site_.Write(zip.substr(site_.Path().size()) + ".sha256", *FileSha256(zip) + "  x.zip\n");
  }
  bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 800; ++i) {  // generous: the machine may be busy
      if (user_.Exists(path)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
  }

  testsupport::TempFolder site_;
  testsupport::TempFolder user_;
  UpdateServer server_{site_.Path()};
  HttpClient http_{HttpLimits{5, 2, 64 * 1024, 1LL << 30}};
  SpawnProgramStarter starter_;
  RecordingHost host_;
  Updater updater_{host_, http_, starter_};
  UpdateSources sources_;
};

TEST_F(UpdaterTest, NewerSoftwareIsDownloadedCheckedUnpackedAndStarted) {
  site_.Write("software/version", "1.0.10\n");
  Publish("Keyboard-Software", "1.0.10", true);
  updater_.CheckSoftware(sources_);
  EXPECT_EQ(updater_.LatestSoftware(), u"1.0.10");
  EXPECT_EQ(host_.log, (std::vector<std::string>{"stop-timer", "exit 0", "software-marker"}));
  EXPECT_EQ(host_.progress.front(), 0);
  EXPECT_EQ(host_.progress.back(), 100);
  EXPECT_TRUE(WaitForFile("started-1.0.10"));
  EXPECT_FALSE(user_.Exists("temp/Keyboard-Software-1.0.10.zip"));  // the package is removed after unpacking
}

TEST_F(UpdaterTest, ServerAnsweringEveryPathWithAPageStillUpdates) {
  sources_.softwareBaseUrl = ZephUI_Url("catchall/software/");
  site_.Write("software/version", "1.1");
  Publish("Keyboard-Software", "1.1", false);  // no digest: its address answers with the page
  updater_.CheckSoftware(sources_);
  EXPECT_EQ(host_.log, (std::vector<std::string>{"stop-timer", "exit 0", "software-marker"}));
  EXPECT_TRUE(WaitForFile("started-1.1"));
}

TEST_F(UpdaterTest, StartedProgramRunsInItsOwnFolder) {
  const std::string program = user_.Write("tools/run", "#!/bin/sh\npwd > '" + user_.Path() + "cwd.tmp'\nmv '" +
                                                           user_.Path() + "cwd.tmp' '" + user_.Path() + "cwd'\n");
  ASSERT_TRUE(starter_.Start(program));
  ASSERT_TRUE(WaitForFile("cwd"));
  EXPECT_EQ(std::filesystem::path(user_.Read("cwd").substr(0, user_.Read("cwd").size() - 1)),
            std::filesystem::canonical(user_.Path() + "tools"));
}

TEST_F(UpdaterTest, EqualOlderOrUnusableAnswersDoNothing) {
  for (const std::string answer : {"1.0.3", "1.0.3.0", "0.9", "", "12345678901", "<html>oops</html>"}) {
    site_.Write("software/version", answer);
    host_.log.clear();
    updater_.CheckSoftware(sources_);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"stop-timer"})) << answer;
  }
  std::filesystem::remove(site_.Path() + "software/version");
  host_.log.clear();
  updater_.CheckSoftware(sources_);  // 404
  EXPECT_EQ(host_.log.size(), 1u);
}

TEST_F(UpdaterTest, DigestMismatchIsNeverUnpackedOrStarted) {
  site_.Write("software/version", "2.0");
  Publish("Keyboard-Software", "2.0", false);
  site_.Write("software/Keyboard-Software-2.0.zip.sha256", std::string(64, 'a') + "\n");
  updater_.CheckSoftware(sources_);
  EXPECT_EQ(host_.log, (std::vector<std::string>{"stop-timer", "software-marker"}));
  EXPECT_FALSE(user_.Exists("temp/Keyboard-Software-2.0"));
  EXPECT_FALSE(user_.Exists("temp/Keyboard-Software-2.0.zip"));
}

TEST_F(UpdaterTest, MaliciousArchiveIsRefusedWhole) {
  site_.Write("software/version", "3.0");
  site_.Write("software/placeholder", "");
  ASSERT_TRUE(MakeZip(site_.Path() + "software/Keyboard-Software-3.0.zip",
                      {{"Keyboard-Software-3.0", "#!/bin/sh\n", 0100755}, {"../../escaped", "x", 0}}));
  updater_.CheckSoftware(sources_);
  EXPECT_EQ(host_.log, (std::vector<std::string>{"stop-timer", "software-marker"}));
  EXPECT_FALSE(user_.Exists("temp/Keyboard-Software-3.0"));
  EXPECT_FALSE(user_.Exists("escaped"));
}

TEST_F(UpdaterTest, OlderFirmwareQueuesTheUpdateWhichClosesHidBeforeStarting) {
  site_.Write("firmware/version", "106");
  host_.firmware = 0x105;
  updater_.CheckFirmware(sources_);
  EXPECT_EQ(host_.log, (std::vector<std::string>{"firmware-marker", "queue-15"}));
  host_.log.clear();
  Publish("FirmwareUpdateTool", "106", true);
  EXPECT_TRUE(updater_.UpdateFirmware(sources_));
  EXPECT_EQ(host_.log, (std::vector<std::string>{"close-hid", "exit 0"}));
  EXPECT_TRUE(WaitForFile("started-106"));
}

TEST_F(UpdaterTest, CurrentOrUnreadableFirmwareQueuesNothing) {
  site_.Write("firmware/version", "105");
  host_.firmware = 0x105;
  updater_.CheckFirmware(sources_);
  host_.firmware = std::nullopt;
  site_.Write("firmware/version", "999");
  updater_.CheckFirmware(sources_);
  EXPECT_TRUE(host_.log.empty());
  EXPECT_EQ(updater_.LatestFirmware(), u"999");
}

}  // namespace

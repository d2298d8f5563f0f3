// The output monitors offered to the music mode, asked of a private sound
// server with two outputs, and of no server at all.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "mainwindow/lightpage/AudioMonitorList.h"
#include "tests/lighting/PulseTestServer.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(AudioMonitorListTest, TheDefaultOutputComesFirstUnderItsOwnNameThenTheOthers) {
  if (PulseTestServer::Program().empty()) GTEST_SKIP() << "the pulseaudio program is not installed";
  testsupport::TempFolder folder;
  PulseTestServer server(folder.Path());
  ASSERT_TRUE(server.Start()) << "see " << folder.Path() << "server.log";
  ASSERT_TRUE(server.SetDefaultSink("test"));
  setenv("PULSE_SERVER", server.Address().c_str(), 1);
  const auto monitors = AudioMonitorList::Read(5000);
  ASSERT_EQ(monitors.size(), 2U);
  EXPECT_EQ(monitors[0].label, u"Default Loopback Device");
  EXPECT_EQ(monitors[0].sourceName, "");
  EXPECT_EQ(monitors[1].sourceName, "other.monitor");
  EXPECT_FALSE(monitors[1].label.empty());

  // Without a server the default is still offered, and the question does not hang.
  server.Stop();
  const auto alone = AudioMonitorList::Read(5000);
  unsetenv("PULSE_SERVER");
  ASSERT_EQ(alone.size(), 1U);
  EXPECT_EQ(alone[0].label, u"Default Loopback Device");
}

}  // namespace

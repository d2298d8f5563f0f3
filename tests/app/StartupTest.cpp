#include "app/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TempFolder.h"
#include "zephui/Manager.h"

TEST(Startup, DatabaseFolderExistsAfterPreparing) {
  testsupport::TempUserEnvironment env;
  EXPECT_TRUE(PrepareDatabaseFolder());
  EXPECT_TRUE(std::filesystem::is_directory(env.Root().Path() + "data/Test Device Files/db"));
}

TEST(Startup, DeviceNameComesFromTheSoftwareElement) {
  testsupport::TempUserEnvironment env;
  testsupport::TempFolder program;
  program.Write("config.xml", "<config><device.info/><software name=\"Board &amp; Co\" version=\"2\"/></config>");
  LoadDeviceName(program.Path());
  EXPECT_EQ(ZephUI::Manager::GetDeviceName(), u"Board & Co");
}

TEST(Startup, MissingCatalogueLeavesTheDeviceNameEmpty) {
  testsupport::TempUserEnvironment env;
  testsupport::TempFolder program;
  LoadDeviceName(program.Path());
  EXPECT_EQ(ZephUI::Manager::GetDeviceName(), u"");
  program.Write("config.xml", "<config><software name=\"x\"></config>");  // not well formed
  LoadDeviceName(program.Path());
  EXPECT_EQ(ZephUI::Manager::GetDeviceName(), u"");
}

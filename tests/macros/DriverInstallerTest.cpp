// Whether and how the device permissions get installed, with a fake runner
// (no privilege prompt ever appears), and the real runner on harmless commands.
#include "macros/virtualdevice/DriverInstaller.h"

#include <gtest/gtest.h>

#include "macros/virtualdevice/PosixCommandRunner.h"
#include "macros/virtualdevice/VHidev.h"
#include "macros/virtualdevice/VirtualDeviceStartup.h"
#include "tests/fakes/FakeVirtualHidBackend.h"

namespace {

using Command = std::vector<std::string>;
using Commands = std::vector<Command>;

// Records commands; a run lets the device open from then on unless told otherwise.
class FakeCommandRunner : public CommandRunner {
 public:
  explicit FakeCommandRunner(FakeVirtualHidBackend& backend) : backend_(backend) {}
  std::optional<int> RunAndWait(const Command& argv) override {
    commands.push_back(argv);
    if (status && runFixesDevice) backend_.refuseOpen = false;
    return status;
  }

  Commands commands;
  std::optional<int> status = 0;  ///< nothing: could not start
  bool runFixesDevice = true;

 private:
  FakeVirtualHidBackend& backend_;
};

const Command kInstall{"pkexec", "/opt/t40/driver/helper", "install"};
const Command kRemove{"pkexec", "/opt/t40/driver/helper", "remove"};

class DriverInstallerTest : public ::testing::Test {
 protected:
  void SetUp() override { backend_->refuseOpen = true; }

  std::unique_ptr<FakeVirtualHidBackend> owned_ = std::make_unique<FakeVirtualHidBackend>();
  FakeVirtualHidBackend* backend_ = owned_.get();
  VHidev device_{std::move(owned_)};
  FakeCommandRunner runner_{*backend_};
  DriverInstaller installer_{device_, runner_, "/opt/t40/driver/helper"};
  VirtualDeviceStartup startup_{device_, installer_};
};

TEST_F(DriverInstallerTest, InstallRunsTheHelperOnlyWhenTheDeviceDoesNotOpenAndFailsWhenThatDoesNotHelp) {
  EXPECT_TRUE(installer_.installDrivers());
  EXPECT_TRUE(installer_.installDrivers());  // opens now: no second prompt
  device_.closeVirtualDevice();
  backend_->refuseOpen = true;
  runner_.status = 126;  // authentication dismissed
  runner_.runFixesDevice = false;
  EXPECT_FALSE(installer_.installDrivers());
  runner_.status = std::nullopt;
  EXPECT_FALSE(installer_.installDrivers());
  EXPECT_EQ(runner_.commands, (Commands{kInstall, kInstall, kInstall}));
}

TEST_F(DriverInstallerTest, RemoveReportsWhetherTheHelperStarted) {
  EXPECT_TRUE(installer_.removeDrivers());
  runner_.status = std::nullopt;
  EXPECT_FALSE(installer_.removeDrivers());
  EXPECT_EQ(runner_.commands, (Commands{kRemove, kRemove}));
}

TEST_F(DriverInstallerTest, StartupOpensOrInstallsWithOnePromptThenZeroesTheReports) {
  EXPECT_EQ(startup_.run(), VirtualDeviceStatus::Ready);
  EXPECT_EQ(startup_.run(), VirtualDeviceStatus::Ready);
  EXPECT_EQ(runner_.commands, Commands{kInstall});
  EXPECT_EQ(backend_->writes.size(), 8u);  // four zeroed reports per start
}

TEST_F(DriverInstallerTest, StartupReportsInstallFailedAndWritesNothing) {
  runner_.runFixesDevice = false;
  EXPECT_EQ(startup_.run(), VirtualDeviceStatus::InstallFailed);
  EXPECT_TRUE(backend_->writes.empty());
}

TEST(PosixCommandRunner, ReportsExitStatusSignalsAndProgramsThatCannotStart) {
  PosixCommandRunner runner;
  EXPECT_EQ(runner.RunAndWait({"sh", "-c", "exit 3"}), 3);
  EXPECT_EQ(runner.RunAndWait({"sh", "-c", "kill -9 $$"}), 128 + 9);
  EXPECT_EQ(runner.RunAndWait({"/nonexistent/program"}), std::nullopt);
}

}  // namespace

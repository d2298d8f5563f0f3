// The shipped permission files and their install helper, run for real into a
// temporary root with udevadm and modprobe replaced by loggers on PATH.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "macros/virtualdevice/PosixCommandRunner.h"
#include "macros/virtualdevice/UinputHidBackend.h"
#include "tests/support/TempFolder.h"

namespace {

const std::string kSource = PELMORA_SOURCE_DIR;
const std::string kDriver = kSource + "/data/driver/";
const std::string kRules = "70-pelmora-keyboard-t40.rules";
const std::string kQuirks = "root/etc/libinput/local-overrides.quirks";

std::string ReadFile(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// Every hid_interface value of the catalogue ("0003:1209:0001").
std::vector<std::string> CatalogueInterfaces(const std::string& xml) {
  const std::string attribute = "hid_interface=\"";
  std::vector<std::string> values;
  for (auto at = xml.find(attribute); at != std::string::npos; at = xml.find(attribute, at + 1)) {
    const auto begin = at + attribute.size();
    values.push_back(xml.substr(begin, xml.find('"', begin) - begin));
  }
  return values;
}

TEST(DriverHelperScript, InstallsReinstallsAndRemovesLeavingTheAdminsOwnQuirksAlone) {
  testsupport::TempUserEnvironment env;
  const testsupport::TempFolder& tmp = env.Root();
  for (const char* tool : {"bin/udevadm", "bin/modprobe"}) {
    const std::string logger = "#!/bin/sh\necho \"$(basename \"$0\") $*\" >>\"$PELMORA_DRIVER_ROOT/log\"\n";
    ASSERT_EQ(chmod(tmp.Write(tool, logger).c_str(), 0755), 0);
  }
  env.Set("PATH", tmp.Path() + "bin:" + std::getenv("PATH"));
  env.Set("PELMORA_DRIVER_ROOT", tmp.Path() + "root");
  const std::string own = "[Own]\nMatchName=Other\nAttrKeyboardIntegration=external";  // no final newline
  tmp.Write(kQuirks, own);
  PosixCommandRunner runner;
  auto run = [&](const char* mode) { return runner.RunAndWait({kDriver + "pelmora-driver-helper", mode}); };

  ASSERT_EQ(run("install"), 0);
  ASSERT_EQ(run("install"), 0);
  EXPECT_EQ(tmp.Read("root/etc/udev/rules.d/" + kRules), ReadFile(kDriver + kRules));
  const std::string ours = ReadFile(kDriver + "pelmora-keyboard-t40.quirks");
  EXPECT_EQ(tmp.Read(kQuirks), own + "\n# >>> pelmora-keyboard-t40 >>>\n" + ours + "# <<< pelmora-keyboard-t40 <<<\n");
  const std::string log = tmp.Read("root/log");
  EXPECT_EQ(log.find("modprobe uinput\nudevadm control --reload\nudevadm trigger"), 0u) << log;
  EXPECT_NE(log.find("udevadm settle"), std::string::npos);

  ASSERT_EQ(run("remove"), 0);
  EXPECT_EQ(tmp.Read(kQuirks), own + "\n");
  EXPECT_FALSE(tmp.Exists("root/etc/udev/rules.d/" + kRules));
  EXPECT_EQ(run("repair"), 2);
}

// A catalogue mode missing from the rules would leave the keyboard working in
// one connection mode and not in another.
TEST(DriverFiles, RulesCoverEveryCatalogueModeAndTheQuirkNamesTheVirtualKeyboard) {
  const std::string rules = ReadFile(kDriver + kRules);
  const std::vector<std::string> interfaces = CatalogueInterfaces(ReadFile(kSource + "/data/config.xml"));
  EXPECT_GE(interfaces.size(), 4u);
  for (const std::string& iface : interfaces) {
    const std::string kernels = "KERNELS==\"" + iface + ".*\", TAG+=\"uaccess\"";
    EXPECT_NE(rules.find("SUBSYSTEM==\"hidraw\", " + kernels), std::string::npos) << iface;
    EXPECT_NE(rules.find("SUBSYSTEM==\"input\", KERNEL==\"event*\", " + kernels), std::string::npos) << iface;
  }
  EXPECT_NE(rules.find("KERNEL==\"uinput\", SUBSYSTEM==\"misc\", OPTIONS+=\"static_node=uinput\", TAG+=\"uaccess\""),
            std::string::npos);
  EXPECT_EQ(rules.find("MODE"), std::string::npos);  // never world-writable

  const std::string quirk = ReadFile(kDriver + "pelmora-keyboard-t40.quirks");
  EXPECT_NE(quirk.find(std::string("\nMatchName=") + UinputHidBackend::kDeviceName + "\n"), std::string::npos);
  EXPECT_NE(quirk.find("\nAttrKeyboardIntegration=internal\n"), std::string::npos);
}

}  // namespace

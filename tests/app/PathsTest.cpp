#include "app/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TempFolder.h"
#include "zephui/Manager.h"

TEST(Paths, ModuleFolderIsTheExecutablesFolderWithSlash) {
  const std::string folder = GetModuleFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(folder + "app_tests"));
}

TEST(Paths, UserFoldersFollowXdgAndTheDeviceName) {
  testsupport::TempUserEnvironment env;
  EXPECT_EQ(GetUserDataFolder(), env.Root().Path() + "data/Test Device Files/");
  EXPECT_EQ(GetSettingsFolder(), env.Root().Path() + "config/Test Device/");
  EXPECT_EQ(GetAutostartFolder(), env.Root().Path() + "config/autostart/");
  EXPECT_EQ(GetRuntimeFolder(), env.Root().Path() + "run/");
  // Relative or missing XDG values fall back to the home folder.
  env.Set("XDG_DATA_HOME", "relative/data");
  env.Set("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(GetUserDataFolder(), env.Root().Path() + "home/.local/share/Test Device Files/");
  EXPECT_EQ(GetSettingsFolder(), env.Root().Path() + "home/.config/Test Device/");
}

TEST(Paths, DeviceNameCannotEscapeItsFolder) {
  testsupport::TempUserEnvironment env(u"../Evil/Name");
  EXPECT_EQ(DeviceNameForFiles(), ".._Evil_Name");
  EXPECT_EQ(GetUserDataFolder(), env.Root().Path() + "data/.._Evil_Name Files/");
}

TEST(Paths, CreateFolderTreeMakesEveryMissingLevel) {
  testsupport::TempFolder temp;
  const std::string deep = temp.Path() + "one/two/three";
  EXPECT_TRUE(CreateFolderTree(deep));
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(CreateFolderTree(deep + "/"));  // already there
  EXPECT_FALSE(CreateFolderTree(""));
}

TEST(Paths, CreateFolderTreeFailsWhenAFileIsInTheWay) {
  testsupport::TempFolder temp;
  temp.Write("blocker", "x");
  EXPECT_FALSE(CreateFolderTree(temp.Path() + "blocker"));
  EXPECT_FALSE(CreateFolderTree(temp.Path() + "blocker/below"));
}

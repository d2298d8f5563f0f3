// Connects layout loading to the profile store: a model's layout opens that
// model's database in the user data folder.
#pragma once

#include "catalogue/KeyboardLayout.h"

class ProfileStore;

class DeviceDatabaseSwitch : public LayoutDatabase {
 public:
  /// Switches this store, with databases under the given user data folder.
  DeviceDatabaseSwitch(ProfileStore& store, std::string userDataFolder);
  /// Closes the open database, opens (or creates) the named model's and records its device type.
  void SwitchDatabase(const std::u16string& keyboardName, int deviceType) override;

 private:
  ProfileStore& store_;
  std::string userDataFolder_;
};

#include "store/DeviceDatabaseSwitch.h"

#include <utility>

#include "store/ProfileStore.h"

DeviceDatabaseSwitch::DeviceDatabaseSwitch(ProfileStore& store, std::string userDataFolder)
    : store_(store), userDataFolder_(std::move(userDataFolder)) {}

void DeviceDatabaseSwitch::SwitchDatabase(const std::u16string& keyboardName, int deviceType) {
  store_.Close();
  store_.OpenDeviceDatabase(userDataFolder_, keyboardName);
  store_.SetDeviceType(deviceType);
}

// Entry of pelmora-keyboard-t40. Until the main window exists the program
// runs the start-up steps and reports what it loaded from its product data.
#include <cstdio>
#include <string>
#include <vector>

#include "app/Hardware.h"
#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/SystemLanguage.h"
#include "catalogue/Catalogue.h"
#include "catalogue/KeyboardLayout.h"
#include "catalogue/XmlDocument.h"
#include "device/DevicePresence.h"
#include "device/HidManager.h"
#include "macros/DriverInstaller.h"
#include "macros/PosixCommandRunner.h"
#include "macros/VHidev.h"
#include "mainwindow/VirtualKeyboardStart.h"
#include "store/DeviceDatabaseSwitch.h"
#include "store/ProfileStore.h"
#include "store/StoreDefaults.h"
#include "zephui/Manager.h"
#include "zephui/Text.h"

namespace {

std::string U8(const std::u16string& text) { return ZephUI::ToUtf8(text); }

class ReportingTargets : public CatalogueDeviceList, public CatalogueSupportedDevices, public CatalogueLabels {
 public:
  explicit ReportingTargets(HidManager& hid) : hid_(hid) {}
  void AddDevice(const std::u16string& name, int deviceType) override {
    std::printf("keyboard: %s (device type %d)\n", U8(name).c_str(), deviceType);
  }
  void AddSupportedDevice(int vendorId, int productId, const std::u16string& productName, int deviceType, int mode,
                          const std::u16string& interfacePattern) override {
    hid_.addSupportedDevice(SupportedDevice{vendorId, productId, productName, deviceType, mode, interfacePattern});
    std::printf("  mode %d: %04X:%04X, interface \"%s\"\n", mode, static_cast<unsigned>(vendorId),
                static_cast<unsigned>(productId), U8(interfacePattern).c_str());
  }
  void SetVersionLabel(const std::u16string& text) override { std::printf("version label: %s\n", U8(text).c_str()); }
  void SetCopyrightLabel(const std::u16string& text) override { std::printf("copyright: %s\n", U8(text).c_str()); }

 private:
  HidManager& hid_;
};

// One scan of the HID interfaces, as the worker's first job does it.
void ReportKeyboards(const Catalogue& catalogue) {
  DevicePresence presence(HidManager::instance(), catalogue.Connections());
  presence.rescan(nullptr);
  std::printf("keyboard scan: %s, connection mode %d\n",
              presence.keyboardMatched() ? "a served keyboard is present" : "no served keyboard found",
              presence.connectionMode());
}

void ReportLayouts(const std::string& programFolder, const Catalogue& catalogue) {
  for (const CatalogueEntry& keyboard : catalogue.Keyboards()) {
    const std::string path = programFolder + "layouts/" + U8(keyboard.layoutName) + ".xml";
    XmlDocument layout;
    std::printf("layout %s: %s\n", U8(keyboard.layoutName).c_str(), layout.LoadFile(path) ? "loaded" : "missing");
  }
}

// Loads the T40's layout, which opens (or creates) its database, and reports both.
void ReportStartLayout(const std::string& programFolder, const Catalogue& catalogue) {
  constexpr int kStartDeviceType = 201;
  ProfileStore& store = ProfileStore::Instance();
  DeviceDatabaseSwitch databaseSwitch(store, GetUserDataFolder());
  KeyboardLayout layout;
  layout.Load(kStartDeviceType, catalogue, programFolder, nullptr, &databaseSwitch);
  std::printf("layout of type %d: %s, %zu keys, %zu lighting modes, firmware %s\n", kStartDeviceType,
              U8(layout.deviceName).c_str(), layout.keyIndex.size(), layout.lightModes.size(),
              U8(layout.firmwareVersion).c_str());
  std::printf("database: %s (%s)\n", store.Path().c_str(), store.IsOpen() ? "open" : "not open");
  std::vector<ProfileRecord> profiles;
  StoreDefaults::EnsureDefaultProfiles(store, profiles);
  StoreDefaults::EnsureDefaultLighting(store, layout);
  for (const ProfileRecord& profile : profiles) {
    std::printf("  profile %d: %s%s\n", profile.id, U8(profile.name).c_str(), profile.status == 1 ? " (active)" : "");
  }
  std::printf("  lighting rows: %d, active mode %d\n", store.CountLightModes(1), store.GetActiveLightMode(1));
}

void ReportTexts() {
  for (const int number : {1, 2, 65, 101}) {
    std::printf("text %d: %s\n", number, U8(GetLanguageText(kDialogSection, number)).c_str());
  }
}

}  // namespace

int main() {
  PrepareHardware();
  const std::string programFolder = GetModuleFolder();
  if (*HardwareVariant() != '\0') std::printf("build: %s\n", HardwareVariant());
  LoadDeviceName(programFolder);
  std::printf("device name: %s\n", U8(ZephUI::Manager::GetDeviceName()).c_str());

  SingleInstance instance;
  if (instance.Acquire(GetRuntimeFolder(), DeviceNameForFiles()) == SingleInstance::Result::AlreadyRunning) {
    std::printf("another copy is running\n");
    return 0;
  }
  std::printf("language: %d\n", ChooseLanguage(SystemUiLanguage()));
  std::printf("user data folder: %s (%s)\n", GetUserDataFolder().c_str(),
              PrepareDatabaseFolder() ? "database folder ready" : "database folder could not be created");

  // Reassigned keys need the virtual keyboard; without it the program cannot work and says so.
  PosixCommandRunner runner;
  DriverInstaller installer(VHidev::instance(), runner, DriverInstaller::DefaultHelperPath());
  if (StartVirtualKeyboard(VHidev::instance(), installer, [] { ShowInstallDriverError(nullptr); }) ==
      StartupOutcome::EndProgram) {
    return 0;
  }
  std::printf("virtual keyboard: ready\n");

  Catalogue catalogue;
  ReportingTargets targets(HidManager::instance());
  if (!catalogue.Read(programFolder, CatalogueTargets{&targets, &targets, &targets})) {
    std::printf("config.xml could not be read\n");
  }
  std::printf("website: %s\nstore: %s\nupgrade: %s\n", U8(catalogue.WebsiteUrl()).c_str(),
              U8(catalogue.StoreUrl()).c_str(), U8(catalogue.UpgradeUrl()).c_str());
  ReportLayouts(programFolder, catalogue);
  ReportStartLayout(programFolder, catalogue);
  ReportKeyboards(catalogue);
  ReportTexts();
  return 0;
}

#include "macros/virtualdevice/VirtualDeviceStartup.h"

#include "macros/virtualdevice/DriverInstaller.h"
#include "macros/virtualdevice/VHidev.h"

VirtualDeviceStartup::VirtualDeviceStartup(VHidev& device, DriverInstaller& installer)
    : device_(device), installer_(installer) {}

VirtualDeviceStatus VirtualDeviceStartup::run() {
  // No separate removal first: the helper's install mode replaces an earlier
  // install itself, and each elevated run would cost the user a password prompt.
  if (!device_.openVirtualDevice() && installer_.installDrivers()) device_.openVirtualDevice();
  if (!device_.openVirtualDevice()) return VirtualDeviceStatus::InstallFailed;
  device_.resetReports();
  return VirtualDeviceStatus::Ready;
}

// Start-up of the virtual device: open it, install the device permissions
// when it cannot be opened, and leave it open with every report zeroed.
#pragma once

class DriverInstaller;
class VHidev;

/// How the start-up of the virtual device ended.
enum class VirtualDeviceStatus {
  Ready,          ///< open, every report written as zero
  InstallFailed,  ///< still not open after installing: the caller shows "InstallDriver Error!" and ends
};

class VirtualDeviceStartup {
 public:
  /// Both must outlive the start-up object.
  VirtualDeviceStartup(VHidev& device, DriverInstaller& installer);

  /// Opens the device, installing once when it fails; Ready after resetting the reports.
  VirtualDeviceStatus run();

 private:
  VHidev& device_;
  DriverInstaller& installer_;
};

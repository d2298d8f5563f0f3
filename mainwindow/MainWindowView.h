// What the services behind the main window need from its user interface.
// Calls come from the worker, the hot-plug monitor and the audio capture
// thread; the window marshals each one onto its own thread.
#pragma once

#include <cstdint>
#include <string>

#include "device/HotplugSource.h"
#include "mainwindow/WorkerHost.h"

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  /// The refresh after a rescan: popups closed, status line, tabs, jobs 13 and 5 queued.
  virtual void RefreshAfterRescan() = 0;
  /// Loads the pages named by the page-reload mask (job 5).
  virtual void LoadPages() = 0;
  /// Enables or disables input to the main window.
  virtual void EnableWindow(WindowInput input) = 0;
  /// Closes the registered wait dialog; nothing when none is registered.
  virtual void CloseWaitDialog() = 0;
  /// True while the main window is shown (not hidden in the tray).
  virtual bool IsWindowVisible() const = 0;
  /// Index of the selected tab (3 is lighting).
  virtual int CurrentTabIndex() const = 0;
  /// Capability flags of the selected lighting mode (0x200 music, 0x400 screen).
  virtual std::uint32_t LightingModeFlags() const = 0;
  /// The profile shown and edited.
  virtual int CurrentProfileId() const = 0;
  /// The key layer shown on the key page.
  virtual int CurrentLayer() const = 0;
  /// A device interface came or went (hot-plug thread): the window posts itself the device-change
  /// message and, on its own thread, hands it to KeyboardServices::OnDeviceChange.
  virtual void NoticeDeviceChange(DeviceEvent event, const std::string& interfacePath) = 0;
  /// Marks the software upgrade button.
  virtual void SetSoftwareUpgradeMarker() = 0;
  /// Marks the firmware upgrade button.
  virtual void SetFirmwareUpgradeMarker() = 0;
  /// Posts a download progress state (message 1690) to the main window.
  virtual void PostDownloadProgress(int state) = 0;
  /// Ends the program after the update hand-over (the exit sequence with this code).
  virtual void ExitProgram(int code) = 0;
};

// What the worker needs from the main window. Every call comes from the worker
// thread; the host marshals whatever touches the user interface.
#pragma once

#include <cstdint>

#include "mainwindow/PresenceFlags.h"

/// Whether the main window takes input.
enum class WindowInput { Disabled, Enabled };

class WorkerHost {
 public:
  virtual ~WorkerHost() = default;

  /// Rescans the HID interfaces against the catalogue, then refreshes the window's device view.
  virtual void RescanAndRefresh() = 0;
  /// What the last rescan found; read before and after every rescan.
  virtual PresenceFlags Presence() const = 0;
  /// Runs the visualiser's start-up steps that follow the first scan.
  virtual void StartVisualiser() = 0;
  /// Checks for a newer software version.
  virtual void CheckSoftware() = 0;
  /// Loads the pages named by the page-reload mask.
  virtual void LoadPages() = 0;
  /// Writes the current profile's key assignments and macros into the keyboard.
  virtual void ApplyKeys() = 0;
  /// Sends the current lighting mode and its settings.
  virtual void ApplyLighting() = 0;
  /// Sends the per-key custom colours.
  virtual void ApplyCustomLight() = 0;
  /// Resets the keyboard and reloads the pages.
  virtual void FactoryReset() = 0;
  /// Checks the keyboard's firmware version.
  virtual void CheckFirmware() = 0;
  /// Downloads and starts the software installer.
  virtual void InstallSoftware() = 0;
  /// Downloads and starts the firmware update tool.
  virtual void UpdateFirmware() = 0;
  /// Enables or disables input to the main window.
  virtual void EnableWindow(WindowInput input) = 0;
  /// Closes the registered wait dialog; does nothing when none is registered.
  virtual void CloseWaitDialog() = 0;
  /// True while the main window is shown (not hidden in the tray).
  virtual bool IsWindowVisible() const = 0;
  /// Index of the selected tab (3 is lighting).
  virtual int CurrentTabIndex() const = 0;
  /// Device type of the loaded layout.
  virtual int DeviceType() const = 0;
  /// Capability flags of the selected lighting mode (0x200 music, 0x400 screen).
  virtual std::uint32_t LightingModeFlags() const = 0;
  /// Colours the keyboard picture from music or screen and streams the colours.
  virtual void LiveLightingStep() = 0;
  /// Plays one software macro.
  virtual void PlayMacro(std::uint32_t macroId) = 0;
};

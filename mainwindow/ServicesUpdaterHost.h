// The updater's view of the main window from the services' side: markers,
// progress and the exit go to the window, the firmware version is asked of
// the keyboard, the firmware update is queued on the worker.
#pragma once

#include <optional>

#include "updater/Updater.h"

class HidManager;
class KeyboardProtocol;
class MainWindowView;
class Worker;

class ServicesUpdaterHost : public UpdaterHost {
 public:
  /// Everything must outlive the host.
  ServicesUpdaterHost(MainWindowView& view, KeyboardProtocol& protocol, HidManager& hid, Worker& worker);

  /// The window keeps no check timer of its own, so there is nothing to stop.
  void StopCheckTimer() override;
  /// Marks the window's software upgrade button.
  void SetSoftwareUpgradeMarker() override;
  /// Marks the window's firmware upgrade button.
  void SetFirmwareUpgradeMarker() override;
  /// Queues job 15 on the worker.
  void QueueFirmwareUpdate() override;
  /// Posts the state to the window.
  void PostProgress(int state) override;
  /// Asks the keyboard through the protocol.
  std::optional<int> ReadFirmwareVersion() override;
  /// Lets go of every HID interface.
  void CloseHid() override;
  /// Ends the program through the window.
  void ExitProgram(int code) override;

 private:
  MainWindowView& view_;
  KeyboardProtocol& protocol_;
  HidManager& hid_;
  Worker& worker_;
};

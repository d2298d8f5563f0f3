// Software and firmware updates: the version checks, the package download
// with its integrity check, unpacking and the hand-over to the installer.
// Each operation is one job of the worker.
#pragma once

#include <optional>
#include <string>

class HttpClient;
class ProgramStarter;

/// What the updates need from the main window.
class UpdaterHost {
 public:
  virtual ~UpdaterHost() = default;
  /// Stops the main window's timer 200.
  virtual void StopCheckTimer() = 0;
  /// Marks the software upgrade button.
  virtual void SetSoftwareUpgradeMarker() = 0;
  /// Marks the firmware upgrade button.
  virtual void SetFirmwareUpgradeMarker() = 0;
  /// Queues the firmware update job.
  virtual void QueueFirmwareUpdate() = 0;
  /// Posts a download progress state (message 1690) to the main window.
  virtual void PostProgress(int state) = 0;
  /// The keyboard's firmware version; none when it cannot be read.
  virtual std::optional<int> ReadFirmwareVersion() = 0;
  /// Closes every HID interface, so the firmware tool can open the keyboard.
  virtual void CloseHid() = 0;
  /// Ends the program; the started installer takes over.
  virtual void ExitProgram(int code) = 0;
};

/// Where versions and packages come from and go to.
struct UpdateSources {
  std::u16string installedVersion;  ///< the catalogue's software version
  std::u16string softwareBaseUrl;   ///< the catalogue's upgrade address
  std::u16string firmwareBaseUrl;   ///< the layout's firmware address
  std::string downloadFolder;       ///< "<user data folder>temp/"
};

class Updater {
 public:
  /// Works through these; all must outlive the updater.
  Updater(UpdaterHost& host, HttpClient& http, ProgramStarter& starter);

  /// Job 12: asks for the newest software version and installs it when newer.
  void CheckSoftware(const UpdateSources& sources);
  /// Job 14: downloads, checks, unpacks and starts the software installer; false when it could not.
  bool InstallSoftware(const UpdateSources& sources);
  /// Job 13: asks for the newest firmware and queues the update when the keyboard's is older.
  void CheckFirmware(const UpdateSources& sources);
  /// Job 15: downloads, checks, unpacks and starts the firmware update tool; false when it could not.
  bool UpdateFirmware(const UpdateSources& sources);

  /// The newest software version the server named (empty until known).
  const std::u16string& LatestSoftware() const { return latestSoftware_; }
  /// The newest firmware version the server named (empty until known).
  const std::u16string& LatestFirmware() const { return latestFirmware_; }

  /// A server's version answer, trimmed, when it is 1 to 10 characters of [0-9A-Za-z._-].
  static std::optional<std::u16string> AcceptVersion(const std::u16string& answer);
  /// The firmware version as compared: its hexadecimal digits read as a decimal number.
  static int FirmwareAsDecimal(int version);

 private:
  enum class Package { Software, Firmware };
  bool Install(Package package, const std::u16string& baseUrl, const std::u16string& version,
               const std::string& folder);
  bool VerifyDigest(const std::string& url, const std::string& path);

  UpdaterHost& host_;
  HttpClient& http_;
  ProgramStarter& starter_;
  std::u16string latestSoftware_;
  std::u16string latestFirmware_;
};

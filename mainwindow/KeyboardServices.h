// Everything behind the main window that is not drawn: the catalogue, the
// loaded layout and its database, device presence and hot-plug, the keyboard
// protocol and key writers, the key filter and software playback, the
// visualiser, the updater and the worker that runs their jobs. The window
// owns one and reaches the keyboard only through it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/KeyboardLayout.h"
#include "device/HotplugSource.h"
#include "lighting/AudioCaptureSource.h"
#include "macros/filter/KeyFilterControl.h"
#include "mainwindow/JobCodes.h"
#include "mainwindow/MainWindowView.h"
#include "mainwindow/PresenceFlags.h"
#include "mainwindow/WorkerHost.h"
#include "store/GuardedDatabaseSwitch.h"

class Clock;
class EvdevDiscovery;
class LiveLighting;
struct LightRecord;
class HidManager;
class HttpClient;
class ProfileStore;
class ProgramStarter;
class ScreenCapture;
class UinputSink;
class VHidev;
class Visualizer;
class Worker;

/// Whether Start runs the worker on its own thread or leaves the steps to StepWorker.
enum class WorkerThread { Run, Manual };

/// What the services are built on; null members take the real ones.
struct ServiceParts {
  Clock* clock = nullptr;                 ///< the worker's and protocol's clock
  HttpClient* http = nullptr;             ///< update checks and downloads
  ProgramStarter* starter = nullptr;      ///< installer hand-over
  HotplugSource* hotplug = nullptr;       ///< device notices (udev in the product)
  EvdevDiscovery* filterDevices = nullptr;  ///< event devices the key filter serves
  HidManager* hid = nullptr;              ///< the keyboards' HID interfaces (the process-wide manager)
  VHidev* virtualDevice = nullptr;        ///< the virtual keyboard (the process-wide device)
  /// Makes a loopback audio source of this sample format (PulseAudio when empty).
  std::function<std::unique_ptr<AudioCaptureSource>(SampleFormat)> audio;
  /// Makes the screen source of the screen lighting mode (the X11 root window when empty).
  std::function<std::unique_ptr<ScreenCapture>()> screen;
  /// The device type whose layout and database are loaded at start.
  int startDeviceType = 201;
};

class KeyboardServices : public WorkerHost {
 public:
  /// Services for the program in `programFolder` (with a trailing '/'), reporting to `view`.
  KeyboardServices(std::string programFolder, MainWindowView& view, ServiceParts parts);
  /// Stops the worker, the hot-plug monitor and the key filter before the parts they use go.
  ~KeyboardServices() override;

  /// Reads "config.xml": the device list and labels go to `targets`, served keyboards to the HID layer.
  bool ReadCatalogue(CatalogueDeviceList& devices, CatalogueLabels& labels);
  /// Loads the layout of device type 201, opening its database and the default profiles and lighting.
  void LoadStartLayout(LayoutViews* views);
  /// Starts the hot-plug monitor and the worker, then queues jobs 12 and 1; false when notices cannot be had.
  bool Start();
  /// Queues a job on the worker; never waits.
  void QueueJob(JobCode code);
  /// Queues a job once, after everything queued so far (a waiting copy is dropped).
  void QueueJobLast(JobCode code);
  /// True while a job waits or runs.
  bool JobsPending() const;
  /// Hands a device notice (already on the UI thread) to the presence logic, which queues job 2 or 3.
  void OnDeviceChange(DeviceEvent event, const std::string& interfacePath);
  /// Offers every filtered key to `listener` before playback; true from it keeps playback out. Set before Start.
  void SetFirstKeyListener(std::function<bool(int keyCode, bool pressed)> listener);
  /// Reprograms the key filter with a profile's and layer's assignments (the key is changed at once).
  void ProgramKeyFilter(int profile, int layer);
  /// The exit sequence's part: releases every held virtual key and stops and clears the key filter.
  void ReleaseKeysAndStopFilter();
  /// Closes the profile store so its write-ahead log is checkpointed into the one database file.
  void CloseStore();
  /// Starts the hot-plug monitor and the audio capture thread, then queues jobs 12 and 1; the worker runs on its thread or by StepWorker.
  bool Start(WorkerThread thread);
  /// Runs one worker step on the calling thread; only while the worker thread does not run.
  void StepWorker();
  /// Starts the audio capture thread whose levels drive family B keyboards in a music mode.
  bool StartAudioCapture();
  /// The lighting page's music level settings: gain (slider / 50), effect list data and refresh period in ms.
  void SetMusicLevelSettings(double gain, int effect, int periodMs);
  /// The time the audio capture thread rests between music levels, in milliseconds.
  int MusicLevelPeriodMs() const;
  /// The lighting page marked its mode as freshly chosen; the next family A lighting job selects it.
  void MarkLightingFreshlyChosen();
  /// The 0-based selection of the lighting page's custom-set list.
  void SetCustomSet(int index);
  /// How the key filter came out of the last programming or device rescan.
  FilterStatus KeyFilterStatus() const;
  /// The music visualiser the lighting page samples and switches on and off.
  Visualizer& MusicVisualizer();
  /// The live lighting the worker's idle steps feed.
  LiveLighting& Live();
  /// Family A: sends the custom set selection for this row at once, from the calling thread.
  void SelectCustomSetNow(const LightRecord& row, int index);

  /// The catalogue as read.
  const Catalogue& GetCatalogue() const;
  /// The loaded layout.
  const KeyboardLayout& Layout() const;
  /// The profile store of the loaded layout's database.
  ProfileStore& Store();
  /// How the latest layout load found the database file (a fallback to memory when it was unfit).
  DatabaseOutcome DatabaseState() const;
  /// The connection mode found by the last rescan (0, 1, 2; -1 none).
  int ConnectionMode() const;
  /// The newest software and firmware versions the updater heard of (empty until known).
  std::u16string LatestSoftware() const;
  std::u16string LatestFirmware() const;

  // WorkerHost: called on the worker thread.
  void RescanAndRefresh() override;
  PresenceFlags Presence() const override;
  void StartVisualiser() override;
  void CheckSoftware() override;
  void LoadPages() override;
  void ApplyKeys() override;
  void ApplyLighting() override;
  void ApplyCustomLight() override;
  void FactoryReset() override;
  void CheckFirmware() override;
  void InstallSoftware() override;
  void UpdateFirmware() override;
  void EnableWindow(WindowInput input) override;
  void CloseWaitDialog() override;
  bool IsWindowVisible() const override;
  int CurrentTabIndex() const override;
  int DeviceType() const override;
  std::uint32_t LightingModeFlags() const override;
  void LiveLightingStep() override;
  void PlayMacro(std::uint32_t macroId) override;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;  // everything owned, in construction order
};

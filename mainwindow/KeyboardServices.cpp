#include "mainwindow/KeyboardServices.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "app/Hardware.h"
#include "app/Paths.h"
#include "device/Clock.h"
#include "device/CommandFamily.h"
#include "device/DevicePresence.h"
#include "device/FamilyAKeyWriter.h"
#include "device/FamilyBKeyWriter.h"
#include "device/HidManager.h"
#include "device/KeyboardProtocol.h"
#include "device/UdevMonitor.h"
#include "lighting/LevelCapture.h"
#include "lighting/X11ScreenCapture.h"
#include "lighting/PulseCapture.h"
#include "lighting/Visualizer.h"
#include "macros/filter/HidUsbFilter.h"
#include "macros/filter/KeyFilterProgrammer.h"
#include "macros/playback/MacroPlayer.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/LiveLighting.h"
#include "mainwindow/MusicLevelSender.h"
#include "mainwindow/PresenceJobQueue.h"
#include "mainwindow/ServicesUpdaterHost.h"
#include "mainwindow/Worker.h"
#include "store/GuardedDatabaseSwitch.h"
#include "store/ProfileStore.h"
#include "store/StoreDefaults.h"
#include "updater/HttpClient.h"
#include "updater/ProgramStarter.h"
#include "updater/Updater.h"

namespace {

// Lighting rows and custom colours always belong to profile 1; per-key colours are set 128, and a family A
// keyboard below type 200 keeps its custom sets n as 128 + n.
constexpr int kLightingProfile = 1;
constexpr int kPerKeyColourSet = 128;
constexpr int kCustomSetsTypeLimit = 200;

std::unique_ptr<AudioCaptureSource> PulseSource(SampleFormat format) {
  // The level wants the newest sound each cycle; the spectrum reads every packet.
  const PulseBacklog backlog = format == SampleFormat::Signed16 ? PulseBacklog::DropStale : PulseBacklog::Keep;
  return std::make_unique<PulseCapture>(format, backlog);
}

// Served keyboards from the catalogue go straight to the HID layer.
class HidServedDevices : public CatalogueSupportedDevices {
 public:
  explicit HidServedDevices(HidManager& hid) : hid_(hid) {}
  void AddSupportedDevice(int vendorId, int productId, const std::u16string& productName, int deviceType, int mode,
                          const std::u16string& interfacePattern) override {
    hid_.addSupportedDevice(SupportedDevice{vendorId, productId, productName, deviceType, mode, interfacePattern});
  }

 private:
  HidManager& hid_;
};

// Keys the filter reports are played at once on the filter's monitor thread.
class FilterKeysToPlayer : public HidUsbFilter::IMonitorProxy {
 public:
  explicit FilterKeysToPlayer(MacroPlayer& player) : player_(player) {}
  bool onFilterKey(std::uint8_t, std::uint16_t keyCode, bool pressed) override {
    if (first && first(keyCode, pressed)) return true;
    return player_.onFilterKey(keyCode, pressed);
  }

  std::function<bool(int, bool)> first;  // the kinds playback leaves alone; set before the filter runs

 private:
  MacroPlayer& player_;
};

std::vector<UsbId> ServedIds(const Catalogue& catalogue) {
  std::vector<UsbId> ids;
  for (const CatalogueEntry& row : catalogue.Connections()) {
    ids.push_back(UsbId{static_cast<std::uint16_t>(row.vendorId), static_cast<std::uint16_t>(row.productId)});
  }
  return ids;
}

}  // namespace

// Declared so that destruction, which runs bottom-up, ends every thread
// before the parts it uses; the destructor stops the threads first anyway.
// Sound is paced in real time whatever clock the keyboard's waits run on.
struct KeyboardServices::Parts {
  Parts(KeyboardServices& host, std::string folder, MainWindowView& window, const ServiceParts& given)
      : programFolder(std::move(folder)),
        view(window),
        clock(given.clock ? *given.clock : SteadyClock::Instance()),
        hid(given.hid ? *given.hid : HidManager::instance()),
        virtualDevice(given.virtualDevice ? *given.virtualDevice : VHidev::instance()),
        store(ProfileStore::Instance()),
        ownedHttp(given.http ? nullptr : std::make_unique<HttpClient>()),
        http(given.http ? *given.http : *ownedHttp),
        ownedStarter(given.starter ? nullptr : std::make_unique<SpawnProgramStarter>()),
        starter(given.starter ? *given.starter : *ownedStarter),
        ownedHotplug(given.hotplug ? nullptr : std::make_unique<UdevMonitor>()),
        hotplug(given.hotplug ? *given.hotplug : *ownedHotplug),
        filterDevices(given.filterDevices ? *given.filterDevices : KeyFilterDiscovery()),
        makeAudio(given.audio ? given.audio : PulseSource),
        databaseSwitch(store, GetUserDataFolder()),
        protocol(hid, clock),
        writerA(hid, clock, store),
        writerB(hid, clock, store),
        visualiser(makeAudio(SampleFormat::Float32), SteadyClock::Instance()),
        live(protocol, visualiser, given.screen ? given.screen() : std::make_unique<X11ScreenCapture>(),
             SteadyClock::Instance()),
        startDeviceType(given.startDeviceType),
        worker(host, clock),
        presenceJobs(worker),
        player(virtualDevice, store, worker, clock),
        filterKeys(player),
        updaterHost(view, protocol, hid, worker),
        updater(updaterHost, http, starter),
        levelSender(protocol, view),
        levelCapture(makeAudio(SampleFormat::Signed16), levelSender, SteadyClock::Instance()) {}

  const std::string programFolder;
  MainWindowView& view;
  Clock& clock;
  HidManager& hid;
  VHidev& virtualDevice;
  ProfileStore& store;
  const std::unique_ptr<HttpClient> ownedHttp;
  HttpClient& http;
  const std::unique_ptr<ProgramStarter> ownedStarter;
  ProgramStarter& starter;
  const std::unique_ptr<HotplugSource> ownedHotplug;
  HotplugSource& hotplug;
  EvdevDiscovery& filterDevices;
  const std::function<std::unique_ptr<AudioCaptureSource>(SampleFormat)> makeAudio;

  Catalogue catalogue;
  KeyboardLayout layout;
  GuardedDatabaseSwitch databaseSwitch;
  KeyboardProtocol protocol;
  FamilyAKeyWriter writerA;
  FamilyBKeyWriter writerB;
  std::unique_ptr<DevicePresence> presence;  // made when the catalogue has been read
  Visualizer visualiser;
  LiveLighting live;
  const int startDeviceType;
  Worker worker;
  PresenceJobQueue presenceJobs;
  MacroPlayer player;
  FilterKeysToPlayer filterKeys;
  std::unique_ptr<HidUsbFilter> filter;  // made when the catalogue names the served keyboards
  std::unique_ptr<KeyFilterProgrammer> programmer;
  ServicesUpdaterHost updaterHost;
  Updater updater;
  MusicLevelSender levelSender;
  LevelCapture levelCapture;

  // Written on the worker (updates, rescans), read on the user-interface thread.
  mutable std::mutex resultsMutex;
  std::u16string latestSoftware;
  std::u16string latestFirmware;
  FilterStatus filterStatus = FilterStatus::Idle;
  std::atomic<int> connectionMode{-1};

  // Lighting page state the lighting jobs need.
  std::atomic<bool> freshlyChosen{false};
  std::atomic<int> customSet{0};
  bool started = false;
};

KeyboardServices::KeyboardServices(std::string programFolder, MainWindowView& view, ServiceParts parts)
    : parts_(std::make_unique<Parts>(*this, std::move(programFolder), view, parts)) {}

KeyboardServices::~KeyboardServices() {
  Parts& p = *parts_;
  // A download or a looping macro would hold the worker's last step for long.
  p.http.Stop();
  p.player.shutDown();
  p.worker.Stop();
  p.hotplug.Stop();
  if (p.filter) {
    p.filter->unregisterCallback(p.filterKeys);
    p.filter->stopMonitor();
  }
  p.levelCapture.stop();
  p.visualiser.stop();
}

bool KeyboardServices::ReadCatalogue(CatalogueDeviceList& devices, CatalogueLabels& labels) {
  Parts& p = *parts_;
  HidServedDevices served(p.hid);
  const bool read = p.catalogue.Read(p.programFolder, CatalogueTargets{&devices, &served, &labels});
  p.presence = std::make_unique<DevicePresence>(p.hid, p.catalogue.Connections());
  if (p.filter) p.filter->unregisterCallback(p.filterKeys);
  p.programmer.reset();
  p.filter = std::make_unique<HidUsbFilter>(p.filterDevices, MakeFilterClone, ServedIds(p.catalogue),
                                            HidUsbFilter::Options{});
  p.filter->registerCallback(p.filterKeys);
  KeyFilterProgrammer::Links links{[&p] { p.virtualDevice.resetReports(); },
                                   [&p](const std::vector<KeyAssignmentRecord>& rows) { p.player.setAssignedKeys(rows); }};
  p.programmer = std::make_unique<KeyFilterProgrammer>(*p.filter, p.store, std::move(links));
  return read;
}

void KeyboardServices::LoadStartLayout(LayoutViews* views) {
  Parts& p = *parts_;
  p.layout.Load(p.startDeviceType, p.catalogue, p.programFolder, views, &p.databaseSwitch);
  std::vector<ProfileRecord> profiles;
  StoreDefaults::EnsureDefaultProfiles(p.store, profiles);
  StoreDefaults::EnsureDefaultLighting(p.store, p.layout);
  p.levelSender.SetDeviceType(p.layout.deviceType);
  p.live.SetLayout(p.layout);
}

bool KeyboardServices::Start() { return Start(WorkerThread::Run); }

bool KeyboardServices::Start(WorkerThread thread) {
  Parts& p = *parts_;
  if (p.started) return false;
  p.started = true;
  // Notices come on the monitor's thread; the window takes them to its own.
  MainWindowView& view = p.view;
  const bool notices =
      p.hotplug.Start([&view](DeviceEvent event, const std::string& path) { view.NoticeDeviceChange(event, path); });
  StartAudioCapture();
  if (thread == WorkerThread::Run) p.worker.Start();
  p.worker.QueueJob(JobCode::JOB_CHECK_SOFTWARE);
  p.worker.QueueJob(JobCode::JOB_FIRST_SCAN);
  return notices;
}

void KeyboardServices::StepWorker() { parts_->worker.Step(); }

void KeyboardServices::QueueJob(JobCode code) { parts_->worker.QueueJob(code); }

void KeyboardServices::QueueJobLast(JobCode code) { parts_->worker.QueueJobLast(code); }

bool KeyboardServices::JobsPending() const { return parts_->worker.JobsPending(); }

void KeyboardServices::OnDeviceChange(DeviceEvent event, const std::string& interfacePath) {
  Parts& p = *parts_;
  if (p.presence) p.presence->onDeviceChange(event, interfacePath, p.presenceJobs);
}

void KeyboardServices::SetFirstKeyListener(std::function<bool(int keyCode, bool pressed)> listener) {
  parts_->filterKeys.first = std::move(listener);
}

void KeyboardServices::ProgramKeyFilter(int profile, int layer) {
  Parts& p = *parts_;
  if (!p.programmer) return;
  const FilterStatus status = p.programmer->programKeyFilter(profile, layer);
  std::lock_guard lock(p.resultsMutex);
  p.filterStatus = status;
}

void KeyboardServices::ReleaseKeysAndStopFilter() {
  Parts& p = *parts_;
  p.player.shutDown();
  p.virtualDevice.resetReports();
  if (p.programmer) p.programmer->stopKeyFilter();
}

void KeyboardServices::CloseStore() { parts_->store.Close(); }

const Catalogue& KeyboardServices::GetCatalogue() const { return parts_->catalogue; }

const KeyboardLayout& KeyboardServices::Layout() const { return parts_->layout; }

ProfileStore& KeyboardServices::Store() { return parts_->store; }

DatabaseOutcome KeyboardServices::DatabaseState() const { return parts_->databaseSwitch.Outcome(); }

int KeyboardServices::ConnectionMode() const { return parts_->connectionMode.load(); }

std::u16string KeyboardServices::LatestSoftware() const {
  std::lock_guard lock(parts_->resultsMutex);
  return parts_->latestSoftware;
}

std::u16string KeyboardServices::LatestFirmware() const {
  std::lock_guard lock(parts_->resultsMutex);
  return parts_->latestFirmware;
}

bool KeyboardServices::StartAudioCapture() {
  Parts& p = *parts_;
  // A running capture keeps the period the lighting page chose.
  if (p.levelCapture.running()) return false;
  p.levelCapture.setRefreshPeriod(LevelCapture::kDefaultPeriodMs);
  return p.levelCapture.startLevelCapture();
}

void KeyboardServices::SetMusicLevelSettings(double gain, int effect, int periodMs) {
  parts_->levelSender.SetSettings(gain, effect);
  parts_->levelCapture.setRefreshPeriod(periodMs);
}

int KeyboardServices::MusicLevelPeriodMs() const { return parts_->levelCapture.refreshPeriod(); }

void KeyboardServices::MarkLightingFreshlyChosen() { parts_->freshlyChosen = true; }

void KeyboardServices::SetCustomSet(int index) { parts_->customSet = index; }

FilterStatus KeyboardServices::KeyFilterStatus() const {
  std::lock_guard lock(parts_->resultsMutex);
  return parts_->filterStatus;
}

Visualizer& KeyboardServices::MusicVisualizer() { return parts_->visualiser; }

LiveLighting& KeyboardServices::Live() { return parts_->live; }

void KeyboardServices::SelectCustomSetNow(const LightRecord& row, int index) {
  Parts& p = *parts_;
  LightingCommand command;
  command.deviceType = p.layout.deviceType;
  command.connectionMode = p.connectionMode.load();
  command.row = row;
  command.customSet = index;
  p.protocol.selectCustomSet(command);
}

// ---- WorkerHost: on the worker thread ----

void KeyboardServices::RescanAndRefresh() {
  Parts& p = *parts_;
  if (p.presence) {
    p.presence->rescan(nullptr);
    // Asking for the mode also points the HID layer's commands at the keyboard of the loaded layout.
    p.connectionMode = p.presence->connectionMode(p.layout.deviceType);
  }
  // A keyboard that came back has new event devices for the filter to take over.
  if (p.filter) {
    const FilterStatus status = p.filter->rescan();
    std::lock_guard lock(p.resultsMutex);
    p.filterStatus = status;
  }
  p.view.RefreshAfterRescan();
}

PresenceFlags KeyboardServices::Presence() const {
  const Parts& p = *parts_;
  PresenceFlags flags;
  if (!p.presence) return flags;
  flags.interfaces = p.presence->interfacesFound() ? HidInterfaces::Found : HidInterfaces::None;
  flags.keyboard = p.presence->keyboardMatched() ? KeyboardMatch::Matched : KeyboardMatch::None;
  return flags;
}

void KeyboardServices::StartVisualiser() {
  Parts& p = *parts_;
  p.visualiser.setKeyGrid(p.layout.rowCount, p.layout.columnCount);
  p.visualiser.initialise();
  p.visualiser.start();
}

namespace {

UpdateSources SourcesOf(const Catalogue& catalogue, const KeyboardLayout& layout) {
  return UpdateSources{catalogue.SoftwareVersion(), catalogue.UpgradeUrl(), layout.firmwareUrl,
                       GetUserDataFolder() + "temp/"};
}

}  // namespace

void KeyboardServices::CheckSoftware() {
  Parts& p = *parts_;
  p.updater.CheckSoftware(SourcesOf(p.catalogue, p.layout));
  std::lock_guard lock(p.resultsMutex);
  p.latestSoftware = p.updater.LatestSoftware();
}

void KeyboardServices::LoadPages() { parts_->view.LoadPages(); }

void KeyboardServices::ApplyKeys() {
  Parts& p = *parts_;
  const int profile = p.view.CurrentProfileId();
  const int layer = p.view.CurrentLayer();
  switch (FamilyOf(p.layout.deviceType)) {
    case CommandFamily::A: p.writerA.applyAllKeys(profile, layer, p.layout.keyIndex); break;
    case CommandFamily::B: p.writerB.applyAllKeys(profile, layer); break;
    case CommandFamily::None: break;
  }
}

void KeyboardServices::ApplyLighting() {
  Parts& p = *parts_;
  if (FamilyOf(p.layout.deviceType) == CommandFamily::None) return;
  LightingCommand command;
  command.deviceType = p.layout.deviceType;
  command.connectionMode = p.connectionMode.load();
  command.customSet = p.customSet.load();
  const int mode = p.store.GetActiveLightMode(kLightingProfile);
  if (!p.store.ReadLightMode(kLightingProfile, mode, command.row)) return;
  // The mark is the page's; it is used once, by the first lighting job after it was set.
  bool freshlyChosen = p.freshlyChosen.exchange(false);
  p.protocol.applyLighting(command, freshlyChosen);
}

// The colours of the set the lighting page shows: a family A keyboard's chosen custom set, else the one per-key set.
void KeyboardServices::ApplyCustomLight() {
  Parts& p = *parts_;
  const bool sets = p.layout.deviceType < kCustomSetsTypeLimit;
  std::vector<KeyColorRecord> all;
  p.store.ListKeyColors(all, kPerKeyColourSet + (sets ? p.customSet.load() : 0));
  std::vector<KeyColorRecord> perKey;
  for (const KeyColorRecord& colour : all) {
    if (colour.profile == kLightingProfile) perKey.push_back(colour);
  }
  p.protocol.applyCustomColours(perKey, p.layout.lightIndex);
}

void KeyboardServices::FactoryReset() {
  Parts& p = *parts_;
  if (FamilyOf(p.layout.deviceType) == CommandFamily::None) return;
  p.protocol.resetDevice(p.layout.deviceType, p.connectionMode.load());
  p.view.LoadPages();
}

void KeyboardServices::CheckFirmware() {
  Parts& p = *parts_;
  p.updater.CheckFirmware(SourcesOf(p.catalogue, p.layout));
  std::lock_guard lock(p.resultsMutex);
  p.latestFirmware = p.updater.LatestFirmware();
}

void KeyboardServices::InstallSoftware() {
  Parts& p = *parts_;
  p.updater.InstallSoftware(SourcesOf(p.catalogue, p.layout));
}

void KeyboardServices::UpdateFirmware() {
  Parts& p = *parts_;
  p.updater.UpdateFirmware(SourcesOf(p.catalogue, p.layout));
}

void KeyboardServices::EnableWindow(WindowInput input) { parts_->view.EnableWindow(input); }

void KeyboardServices::CloseWaitDialog() { parts_->view.CloseWaitDialog(); }

bool KeyboardServices::IsWindowVisible() const { return parts_->view.IsWindowVisible(); }

int KeyboardServices::CurrentTabIndex() const { return parts_->view.CurrentTabIndex(); }

int KeyboardServices::DeviceType() const { return parts_->layout.deviceType; }

std::uint32_t KeyboardServices::LightingModeFlags() const { return parts_->view.LightingModeFlags(); }

void KeyboardServices::LiveLightingStep() {
  Parts& p = *parts_;
  p.live.Step(p.view.LightingModeFlags(), p.connectionMode.load());
}

void KeyboardServices::PlayMacro(std::uint32_t macroId) { parts_->player.playMacro(macroId); }

// The main window: the frame and its pages, the tray icon, the messages
// through which other threads and programs reach the user interface, and the
// state every page shares. Everything behind it (catalogue, database,
// keyboard, worker) sits in the KeyboardServices it owns.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "mainwindow/ForbiddenWords.h"
#include "mainwindow/KeyboardServices.h"
#include "mainwindow/LockedQueue.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/MainWindowView.h"
#include "mainwindow/lightpage/AudioMonitorList.h"
#include "zephui/FileChooser.h"
#include "zephui/MDialog.h"

namespace ZephUI {
class TrayIcon;
}
class AddressOpener;
class KeyPage;
class LightPage;
class PictureFanOut;
class SettingsPage;
class WindowLightHost;
class WindowSettingsHost;
class MacroPage;
class WindowMacroHost;
class LayoutFanOut;
class SpecialKeyRunner;
class TextPaster;
class WindowPageHost;
class VHidev;
class WaitDlg;

/// Window messages other threads and programs send to the main window.
namespace KbMessage {
inline constexpr ZephUI::UINT kDeviceChange = 0x0219;  ///< a device interface came or went (wParam the event)
inline constexpr ZephUI::UINT kSpecialKey = 1092;      ///< run a special key function (lParam the assignment's data id)
inline constexpr ZephUI::UINT kHookKey = 1654;         ///< a key event for the macro recorder
inline constexpr ZephUI::UINT kTray = 1690;            ///< tray icon mouse message, or a download progress state
inline constexpr ZephUI::UINT kExitRequest = 1691;     ///< ends the program when lParam is 610
inline constexpr ZephUI::UINT kLanguage = 2022;        ///< the interface language changed
inline constexpr ZephUI::LPARAM kExitPassword = 610;   ///< the lParam an exit request must carry
}  // namespace KbMessage

/// Tray menu commands, as WM_COMMAND's wParam.
namespace TrayCommand {
inline constexpr ZephUI::WPARAM kExit = 100;
inline constexpr ZephUI::WPARAM kCloseBehaviour = 200;
}  // namespace TrayCommand

class KeyboardDlg;

/// What the program's entry wants to hear from the window (UI thread).
struct KeyboardDlgHooks {
  std::function<void()> shown;                                   ///< once, when the window is first shown
  std::function<void(KeyboardDlg&, bool devicePresent)> painted;  ///< after every paint
};

/// What the window is built on; empty members take the real ones.
struct KeyboardDlgParts {
  ServiceParts services;                  ///< what the services are built on
  WorkerThread worker = WorkerThread::Run;  ///< Manual: the owner runs the worker's steps
  AddressOpener* opener = nullptr;        ///< web addresses and programs (xdg-open)
  VHidev* virtualKeyboard = nullptr;      ///< pastes text (the process-wide device)
  std::function<void(int)> endProcess;    ///< ends the process (immediately, with the code)
  std::string programFolder;              ///< product data folder with '/' (the executable's)
  KeyboardDlgHooks hooks;                 ///< the entry's observers
};

class KeyboardDlg : public ZephUI::MDialog, public MainWindowView {
 public:
  explicit KeyboardDlg(KeyboardDlgParts parts = {});
  /// Stops the services' threads before the window goes.
  ~KeyboardDlg() override;

  /// Creates the 1280 x 720 window titled with the device name, centred, and runs it until it ends.
  std::uint32_t Run();

  // MDialog
  ZephUI::LRESULT OnWindowMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam) override;
  int OnInitDialog() override;
  void InitUI(const ZephUI::Rect& clientRect) override;
  void UISize(const ZephUI::Rect& clientRect) override;
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  ZephUI::LRESULT OnTimer(std::uintptr_t id) override;

  // Operations the pages use (UI thread).
  /// Queues a job on the worker.
  void QueueJob(JobCode code);
  /// Replaces any wait dialog with a new one and runs it over the window until the worker closes it.
  void ShowWaitDialog();
  /// Makes another profile current.
  void ChangeProfile(int profileId);
  /// Sets the current profile id only (the key page has shown and programmed it).
  void SetCurrentProfileId(int profileId) { profileId_ = profileId; }
  /// The key customisation page; null before InitUI.
  KeyPage* KeysPage() const { return keyPage_.get(); }
  /// The lighting page; null before InitUI.
  LightPage* LightsPage() const { return lightPage_.get(); }
  /// The lighting page tells the window its current mode's flags; the live lighting follows them.
  void SetLightingModeFlags(std::uint32_t flags);
  /// Where a layout load reports its pictures and settings (every page that shows them).
  LayoutViews* LayoutPictures();
  /// The product data folder, with a trailing '/'.
  std::string ProgramFolder() const;
  /// The macro page; null before InitUI.
  MacroPage* MacrosPage() const { return macroPage_.get(); }
  /// Sets every text of the window again from the language file.
  void RefreshLanguage();
  /// True when a name contains a forbidden word.
  bool ContainsForbiddenWord(std::u16string_view name) const { return forbidden_.Contains(name); }
  /// True when macro recording ignores this virtual-key code.
  bool IsHookKeyFiltered(std::uint32_t vk) const { return hookKeyFilter_.count(vk) != 0; }
  /// Releases the keys, stops the key filter, removes the tray icon, closes the database and ends the process.
  void ExitSequence(int code);
  /// Asks for a file to open or save (the desktop's chooser, else our own dialog); the answer comes on this thread.
  void AskFile(ZephUI::FileChooserRequest request, ZephUI::FileChooser::AnswerHandler onAnswer);

  /// The frame's controls and views.
  MainFrame& Frame() { return frame_; }
  /// The services behind the window.
  KeyboardServices& Services() { return *services_; }
  /// Which pages the load job refreshes.
  std::uint32_t PageMask() const { return pageMask_.load(); }
  /// True while the device-present view is shown.
  bool IsDevicePresentView() const { return devicePresent_; }
  /// True while a wait dialog is registered.
  bool HasWaitDialog() const { return waitDlg_ != nullptr; }

  // MainWindowView: any thread.
  void RefreshAfterRescan() override;
  void LoadPages() override;
  void EnableWindow(WindowInput input) override;
  void CloseWaitDialog() override;
  bool IsWindowVisible() const override { return visible_.load(); }
  int CurrentTabIndex() const override { return tabIndex_.load(); }
  std::uint32_t LightingModeFlags() const override { return lightingFlags_.load(); }
  int CurrentProfileId() const override { return profileId_.load(); }
  int CurrentLayer() const override { return layer_.load(); }
  void NoticeDeviceChange(DeviceEvent event, const std::string& interfacePath) override;
  void SetSoftwareUpgradeMarker() override;
  void SetFirmwareUpgradeMarker() override;
  void PostDownloadProgress(int state) override;
  void ExitProgram(int code) override;

 private:
  // Messages the window sends or posts itself to bring other threads' calls onto its own thread.
  static constexpr ZephUI::UINT kMsgRefresh = 0x400 + 1100;
  static constexpr ZephUI::UINT kMsgEnable = 0x400 + 1101;
  static constexpr ZephUI::UINT kMsgCloseWait = 0x400 + 1102;
  static constexpr ZephUI::UINT kMsgExit = 0x400 + 1103;
  static constexpr ZephUI::UINT kMsgTrayMenu = 0x400 + 1104;
  static constexpr ZephUI::UINT kMsgShown = 0x400 + 1105;
  static constexpr ZephUI::UINT kMsgLoadKeyPage = 0x400 + 1106;
  static constexpr ZephUI::UINT kMsgLoadMacroPage = 0x400 + 1121;

  static constexpr ZephUI::UINT kMsgLoadLightPages = 0x400 + 1130;
  static constexpr ZephUI::UINT kMsgLiveFrame = 0x400 + 1131;
  static constexpr ZephUI::UINT kMsgUpgradeMarkers = 0x400 + 1132;

  void BuildLightAndSettingsPages(const ZephUI::Rect& clientRect);
  void LoadLightAndSettingsPages();
  void SyncLiveLighting();
  std::optional<ZephUI::LRESULT> NotifyLightAndSettingsPages(std::uint32_t controlId, ZephUI::UINT msg,
                                                             ZephUI::WPARAM wParam, ZephUI::LPARAM lParam);
  bool RouteLightPagesMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam);
  bool RouteOwnMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam, ZephUI::LRESULT& result);
  bool RouteMacroPageMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam, ZephUI::LRESULT& result);
  void SetUpWindow();
  void AddTrayIcon();
  void FillFilters();
  void OnRefresh();
  void OnDeviceChangeMessage();
  // Whether a tray shows the icon, so a hidden window can be brought back.
  bool TrayShown() const;
  void OnTray(ZephUI::LPARAM mouseMessage);
  void ShowTrayMenu();
  void OnCommand(ZephUI::WPARAM command);
  void OnCloseButton();
  void OnTabSwitch(int index);
  ZephUI::LRESULT OnDeviceChosen();
  void RunSpecialKey(int dataId);
  void ShowAgain();
  ZephUI::LRESULT SendToSelf(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam);
  void DrainSends();

  KeyboardDlgParts parts_;
  std::unique_ptr<AddressOpener> ownOpener_;
  AddressOpener* opener_ = nullptr;
  VHidev* virtualKeyboard_ = nullptr;
  std::unique_ptr<KeyboardServices> services_;
  std::unique_ptr<ZephUI::TrayIcon> tray_;
  std::unique_ptr<TextPaster> paster_;
  std::unique_ptr<WindowPageHost> pageHost_;
  std::unique_ptr<ZephUI::FileChooser> chooser_;  // made on first use; one question at a time for every page
  std::unique_ptr<KeyPage> keyPage_;
  std::unique_ptr<WindowMacroHost> macroHost_;
  std::unique_ptr<MacroPage> macroPage_;  // after its host: a recording still running ends first
  std::unique_ptr<LayoutFanOut> layoutViews_;
  std::unique_ptr<WindowLightHost> lightHost_;
  std::unique_ptr<LightPage> lightPage_;
  std::unique_ptr<WindowSettingsHost> settingsHost_;
  std::unique_ptr<SettingsPage> settingsPage_;
  std::unique_ptr<PictureFanOut> pictures_;
  std::unique_ptr<SpecialKeyRunner> specialKeys_;
  MainFrame frame_;
  ForbiddenWords forbidden_;
  std::set<std::uint32_t> hookKeyFilter_;
  LockedQueue<std::pair<DeviceEvent, std::string>> notices_;
  WaitDlg* waitDlg_ = nullptr;  // registered wait dialog; owned by the ShowWaitDialog call running it
  std::u16string website_;
  int deviceEvent_ = 0;
  bool devicePresent_ = false;
  int connectionMode_ = 0;
  std::atomic<std::uint32_t> pageMask_{127};
  std::atomic<bool> visible_{false};
  std::atomic<int> tabIndex_{0};
  std::atomic<std::uint32_t> lightingFlags_{0};
  std::atomic<int> profileId_{0};
  std::atomic<int> layer_{0};
  std::atomic<bool> softwareUpgrade_{false};
  std::atomic<bool> firmwareUpgrade_{false};
  std::atomic<bool> closing_{false};
  std::atomic<bool> liveFramePosted_{false};
  std::vector<AudioMonitor> audioMonitors_;  // read by the worker's page load, used by the window's thread during it
  std::atomic<int> sendsInFlight_{0};
};

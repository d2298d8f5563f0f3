#include "mainwindow/ServicesUpdaterHost.h"

#include "device/HidManager.h"
#include "device/KeyboardProtocol.h"
#include "mainwindow/MainWindowView.h"
#include "mainwindow/Worker.h"

ServicesUpdaterHost::ServicesUpdaterHost(MainWindowView& view, KeyboardProtocol& protocol, HidManager& hid,
                                         Worker& worker)
    : view_(view), protocol_(protocol), hid_(hid), worker_(worker) {}

void ServicesUpdaterHost::StopCheckTimer() {}

void ServicesUpdaterHost::SetSoftwareUpgradeMarker() { view_.SetSoftwareUpgradeMarker(); }

void ServicesUpdaterHost::SetFirmwareUpgradeMarker() { view_.SetFirmwareUpgradeMarker(); }

void ServicesUpdaterHost::QueueFirmwareUpdate() { worker_.QueueJob(JobCode::JOB_UPDATE_FIRMWARE); }

void ServicesUpdaterHost::PostProgress(int state) { view_.PostDownloadProgress(state); }

std::optional<int> ServicesUpdaterHost::ReadFirmwareVersion() { return protocol_.readFirmwareVersion(); }

void ServicesUpdaterHost::CloseHid() { hid_.closeAll(); }

void ServicesUpdaterHost::ExitProgram(int code) { view_.ExitProgram(code); }

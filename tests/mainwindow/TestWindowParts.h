// The parts a main window under test is built on: the test's clock, hot-plug notices, key filter
// devices and virtual keyboard, an address opener, and a process end the test observes. The test
// steps the worker itself.
#pragma once

#include <functional>
#include <utility>

#include "app/Paths.h"
#include "mainwindow/KeyboardDlg.h"
#include "macros/virtualdevice/VHidev.h"

inline KeyboardDlgParts TestWindowParts(Clock& clock, HotplugSource& hotplug, EvdevDiscovery& filterDevices,
                                        VHidev& virtualDevice, AddressOpener* opener,
                                        std::function<void(int)> endProcess = [](int) {}) {
  KeyboardDlgParts parts;
  parts.services.clock = &clock;
  parts.services.hotplug = &hotplug;
  parts.services.filterDevices = &filterDevices;
  parts.services.virtualDevice = &virtualDevice;
  parts.worker = WorkerThread::Manual;
  parts.opener = opener;
  parts.endProcess = std::move(endProcess);
  parts.programFolder = GetModuleFolder();
  return parts;
}

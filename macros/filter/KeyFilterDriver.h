// The evdev side of the key filter: it finds the served keyboard's event
// devices, and while a non-empty table is committed and started it serves
// each of them (grab, report table keys, pass the rest through a uinput
// clone). Devices that vanish end on their own; rescan reaps them and picks
// up devices that (re)appeared.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "macros/filter/CancellableQueue.h"
#include "macros/filter/DeviceReader.h"
#include "macros/filter/EvdevDiscovery.h"
#include "macros/filter/FilterPassThrough.h"
#include "macros/filter/KeyFilterControl.h"
#include "macros/filter/KeyFilterTable.h"
#include "macros/virtualdevice/UinputSink.h"

class KeyFilterDriver {
 public:
  /// Makes a new, not yet created uinput device for a pass-through clone.
  using CloneFactory = std::function<std::unique_ptr<UinputSink>()>;

  /// A driver for the keyboards with these ids, finding devices through `discovery` (which must outlive it).
  KeyFilterDriver(EvdevDiscovery& discovery, CloneFactory makeClone, std::vector<UsbId> served);
  /// Stops serving.
  ~KeyFilterDriver();
  KeyFilterDriver(const KeyFilterDriver&) = delete;
  KeyFilterDriver& operator=(const KeyFilterDriver&) = delete;

  /// Stops serving and keeps the table until commitTable.
  void loadTable(KeyFilterTable table);
  /// The loaded table becomes the served one.
  void commitTable();
  /// Serves every present device with the committed table.
  FilterStatus start();
  /// Ungrabs everything; the keyboard works natively.
  void stop();
  /// Drops ended devices and serves new ones while started.
  FilterStatus rescan();
  /// Whether a rescan could help: started, and a device ended or none is served.
  bool needsRescan();
  /// The outcome of the last start or rescan.
  FilterStatus status();
  /// Keys reported by the served devices.
  CancellableQueue<FilterKeyEvent>& keyEvents() { return keyEvents_; }

 private:
  // One served device; the reader goes first, before the handler it calls.
  struct Session {
    std::unique_ptr<FilterPassThrough> passThrough;
    std::unique_ptr<DeviceReader> reader;
  };
  struct Opened {
    std::unique_ptr<EvdevDevice> device;
    std::unique_ptr<UinputSink> clone;
  };

  FilterStatus serveLocked();
  FilterStatus openNewLocked(std::vector<Opened>& opened);
  std::unique_ptr<UinputSink> makeCloneOf(const EvdevDevice& device);
  std::vector<Session> takeSessionsLocked();
  bool isServedLocked(const std::string& path) const;

  EvdevDiscovery& discovery_;
  CloneFactory makeClone_;
  std::vector<UsbId> served_;
  CancellableQueue<FilterKeyEvent> keyEvents_;

  std::mutex mutex_;  // guards everything below
  KeyFilterTable loaded_;
  std::shared_ptr<const KeyFilterTable> committed_ = std::make_shared<KeyFilterTable>();
  bool started_ = false;
  FilterStatus status_ = FilterStatus::Idle;
  std::vector<Session> sessions_;
};

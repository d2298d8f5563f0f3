// Reads every keyboard at once for recording and single-key capture: one
// DeviceReader per keyboard, their key and pointer events funnelled to one
// thread of its own, so the receiver sees one ordered stream and is never
// called from two threads at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "device/Clock.h"
#include "macros/filter/CancellableQueue.h"
#include "macros/filter/DeviceReader.h"
#include "macros/filter/EvdevDiscovery.h"

class AllKeyboardsReader : private DeviceReader::Handler {
 public:
  /// One event of one keyboard.
  struct Event {
    InputEvent input;     ///< the evdev event (EV_KEY or EV_REL)
    ReaderPhase phase;    ///< BeforeGrab: the system saw it too
    std::uint64_t time;   ///< when it happened (the device's stamp), or when read for a device without stamps
  };
  /// Receives the events, on the reader's delivery thread.
  using Receiver = std::function<void(const Event& event)>;

  /// A reader of the keyboards `discovery` finds, stamping unstamped events with `clock` (both must outlive it).
  AllKeyboardsReader(EvdevDiscovery& discovery, Clock& clock);
  /// Stops reading.
  ~AllKeyboardsReader() override;
  AllKeyboardsReader(const AllKeyboardsReader&) = delete;
  AllKeyboardsReader& operator=(const AllKeyboardsReader&) = delete;

  /// Opens every keyboard it may and starts delivering; the number of keyboards read.
  int start(ReaderMode mode, Receiver receiver);
  /// Stops the readers (ungrabbing) and the delivery thread; undelivered events are dropped.
  void stop();

 private:
  void onEvent(const InputEvent& event, ReaderPhase phase) override;
  void onEnded(ReaderEnd why) override;
  void deliverLoop();

  EvdevDiscovery& discovery_;
  Clock& clock_;
  CancellableQueue<Event> events_;
  // start and stop come from one thread; the reader threads only touch events_.
  std::vector<std::unique_ptr<DeviceReader>> readers_;
  Receiver receiver_;
  std::thread deliverer_;
};

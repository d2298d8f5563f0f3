// Runs one event device on a thread of its own. In grab mode it first waits
// until no key is held (grabbing with a key down leaves that key stuck for
// the rest of the system), then grabs the device; in observe mode it only
// reads. Every event goes to the handler until the reader is stopped or the
// device goes away; the device is ungrabbed before the handler hears the end.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "macros/filter/EvdevDevice.h"

/// Whether a reader takes the device away from the rest of the system.
enum class ReaderMode {
  Grab,     ///< wait until no key is held, then grab
  Observe,  ///< read alongside everyone else
};

/// Where an event was read: before the grab, the system saw it too.
enum class ReaderPhase {
  BeforeGrab,  ///< waiting for held keys to be released
  Reading,     ///< grabbed (grab mode) or observing
};

/// Why a reader ended.
enum class ReaderEnd {
  Stopped,      ///< stop was called
  Vanished,     ///< the device was unplugged
  Failed,       ///< a read error
  GrabRefused,  ///< another program holds the device
};

class DeviceReader {
 public:
  class Handler {
   public:
    virtual ~Handler() = default;
    /// One event, on the reader's thread.
    virtual void onEvent(const InputEvent& event, ReaderPhase phase) = 0;
    /// The reader's last word, on its thread, after the device was ungrabbed.
    virtual void onEnded(ReaderEnd why) = 0;
  };

  /// A reader of the device (owned) that reports to the handler (which must outlive it).
  DeviceReader(std::unique_ptr<EvdevDevice> device, Handler& handler, ReaderMode mode);
  /// Stops the reader.
  ~DeviceReader();
  DeviceReader(const DeviceReader&) = delete;
  DeviceReader& operator=(const DeviceReader&) = delete;

  /// Starts the thread.
  void start();
  /// Cancels the blocking read and waits for the thread.
  void stop();
  /// True once the device is done with (the handler may still be hearing the end).
  bool finished() const { return finished_.load(); }
  /// The device node read.
  const std::string& path() const { return path_; }

 private:
  void run();
  ReaderEnd runGrabbed();
  std::optional<ReaderEnd> waitForNoHeldKey();
  ReaderEnd readUntilEnd();
  static ReaderEnd endOf(ReadStatus status);

  std::unique_ptr<EvdevDevice> device_;
  Handler& handler_;
  ReaderMode mode_;
  std::string path_;
  std::thread thread_;
  std::atomic<bool> finished_{false};
};

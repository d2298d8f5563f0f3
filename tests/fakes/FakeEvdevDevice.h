// A scriptable event device. The test keeps the Script (queue events, hold
// keys, unplug or break the device, refuse the grab, watch grabs); the code
// under test owns FakeEvdevDevice objects opened on it, which read from the
// script and block like a real device until an event, a cancel or the end.
//
//   auto kb = std::make_shared<FakeEvdevDevice::Script>(FakeEvdevDevice::Identity{"/dev/input/event3"});
//   discovery.add(kb);
//   kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
//   ASSERT_TRUE(kb->waitUntil([&] { return kb->grabbed(); }));
//
// Safe to use from several threads at once.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "macros/filter/EvdevDevice.h"
#include "macros/filter/EvdevDiscovery.h"

class FakeEvdevDevice : public EvdevDevice {
 public:
  /// What the device says about itself.
  struct Identity {
    std::string path;                              ///< device node
    std::string name = "Pelmora T40 Keyboard";     ///< kernel name
    std::uint16_t vendorId = 0x1209;               ///< vendor id
    std::uint16_t productId = 0x0001;              ///< product id
    std::vector<int> keys = defaultKeys();         ///< EV_KEY codes it announces
    bool relativeAxes = false;                     ///< announces EV_REL
    bool keyboard = true;                          ///< udev would tag it ID_INPUT_KEYBOARD
    bool virtualBus = false;                       ///< a uinput device (left out of findDevices)
  };

  /// The scripted state of one device node, shared by the test and every device opened on it.
  class Script {
   public:
    /// A present device with this identity.
    explicit Script(Identity identity);

    /// The identity.
    const Identity& identity() const { return identity_; }
    /// Adds events to be read.
    void queue(const std::vector<InputEvent>& events);
    /// Sets the keys held (as if pressed before anyone read the device).
    void setHeld(std::set<int> keys);
    /// Unplugs the device: reads end with Vanished, grabs fail, discovery stops listing it.
    void vanish();
    /// Breaks the device: reads end with Failed (errno `error`).
    void fail(int error);
    /// Plugs the device in again, with nothing queued or held.
    void comeBack();
    /// Makes grabs fail (another program holds the device) or succeed again.
    void setGrabRefused(bool refused);
    /// What opening the node gives; Opened by default.
    void setOpenStatus(OpenStatus status);

    /// Whether the device is plugged in.
    bool present() const;
    /// The status open should report.
    OpenStatus openStatus() const;
    /// Whether someone holds a grab now.
    bool grabbed() const;
    /// Successful grabs so far.
    int grabCount() const;
    /// Ungrabs so far.
    int ungrabCount() const;
    /// Events queued but not read yet.
    std::size_t pending() const;
    /// Whether a reader is blocked waiting because nothing is queued.
    bool readerWaiting() const;
    /// Waits (up to a generous safety limit) until `condition` holds; false if it never did.
    bool waitUntil(const std::function<bool()>& condition) const;

    // --- used by FakeEvdevDevice ----------------------------------------------
    /// Blocks until an event, `cancelled` (read under the script's lock) or the device's end.
    ReadStatus read(InputEvent& event, const bool& cancelled);
    /// Sets a reader's cancel flag under the script's lock and wakes readers.
    void cancel(bool& cancelled);
    /// Grabs unless refused or gone.
    bool grab();
    /// Ends the grab.
    void ungrab();
    /// Keys held now.
    std::vector<int> held() const;
    /// errno of the failure, 0 when none.
    int error() const;

   private:
    void changed();  // called with the lock held

    Identity identity_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<InputEvent> events_;
    std::set<int> held_;
    bool present_ = true;
    int error_ = 0;
    bool grabRefused_ = false;
    bool grabbed_ = false;
    int grabCount_ = 0;
    int ungrabCount_ = 0;
    int waiting_ = 0;
    std::uint64_t changes_ = 0;
    OpenStatus openStatus_ = OpenStatus::Opened;
  };

  /// A device opened on the script.
  explicit FakeEvdevDevice(std::shared_ptr<Script> script);

  /// One key event with its scan code and SYN_REPORT, as a keyboard sends it, stamped with `timeMs`.
  static std::vector<InputEvent> keyFrame(int code, int value, std::uint64_t timeMs = 0);
  /// Keys of a plain full-size keyboard: evdev codes 1-88, the navigation block and the right-hand modifiers.
  static std::vector<int> defaultKeys();

  /// The node.
  const std::string& path() const override { return script_->identity().path; }
  /// The name.
  const std::string& name() const override { return script_->identity().name; }
  /// Vendor id.
  std::uint16_t vendorId() const override { return script_->identity().vendorId; }
  /// Product id.
  std::uint16_t productId() const override { return script_->identity().productId; }
  /// Announced keys.
  std::vector<int> keyCodes() const override { return script_->identity().keys; }
  /// Announced EV_REL.
  bool hasRelativeAxes() const override { return script_->identity().relativeAxes; }
  /// Grabs through the script.
  bool grab() override { return script_->grab(); }
  /// Ungrabs through the script.
  void ungrab() override { script_->ungrab(); }
  /// Keys held as of the last event read.
  std::vector<int> heldKeys() const override { return script_->held(); }
  /// Reads from the script.
  ReadStatus readEvent(InputEvent& event) override { return script_->read(event, cancelled_); }
  /// Cancels this device's reads for good.
  void cancelRead() override { script_->cancel(cancelled_); }
  /// The script's errno.
  int lastError() const override { return script_->error(); }

 private:
  std::shared_ptr<Script> script_;
  bool cancelled_ = false;  // guarded by the script's lock
};

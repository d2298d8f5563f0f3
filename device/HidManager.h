// The keyboards' vendor HID interfaces: the table of served keyboards, the
// scan that opens their interfaces, the choice of the one interface commands
// go to, and the transfer primitives with their fixed waits and retries.
// Safe for concurrent use: one lock, held for one transfer at a time, so no
// transfer ever touches an interface that a scan or closeAll is deleting.
// A multi-frame sequence (HidSequence) owns the transport while it runs: the
// transfers of other threads wait for its end, so no foreign frame lands
// between its frames. A keyboard that hidapi reports gone ends every transfer
// at once until the next rescan.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "device/Clock.h"

struct hid_device_;

/// One keyboard identity the program serves.
struct SupportedDevice {
  int vendorId = 0;                 ///< USB vendor id
  int productId = 0;                ///< USB product id
  std::u16string productName;       ///< product string the interface must report; empty means any
  int deviceType = 0;               ///< the model's device type
  int mode = 0;                     ///< connection mode: 0 wired, 1 and 2 the others
  std::u16string interfacePattern;  ///< device-path pattern, kept for presence detection
};

/// What a scan learnt about one opened vendor interface.
struct HidEntryInfo {
  int index = 0;                  ///< entries before this one when it was added
  std::uint16_t vendorId = 0;     ///< from the enumeration
  std::uint16_t productId = 0;    ///< from the enumeration
  std::string path;               ///< the interface path
  std::u16string productString;   ///< always empty: product strings are not read
  std::uint16_t releaseNumber = 0;///< from the enumeration
  int deviceType = 0;             ///< of the first served row with these ids, else 0
  int mode = 0;                   ///< of that row, else 0
  bool wired = false;             ///< mode is 0
};

/// What a transfer does while another thread's sequence owns the transport.
enum class WhenBusy {
  Wait,  ///< waits for the sequence's end
  Skip,  ///< gives up at once (frames that are stale a moment later)
};

class HidManager {
 public:
  using Feature = std::array<std::uint8_t, 8>;   ///< a feature report with its report id
  using Report = std::array<std::uint8_t, 65>;   ///< an output report with its report id
  using Data64 = std::array<std::uint8_t, 64>;   ///< a long frame without its report id

  /// The process-wide manager on the steady clock.
  static HidManager& instance();

  /// Initialises the HID library; every wait goes through the clock.
  explicit HidManager(Clock& clock);
  /// Closes every interface and releases the HID library.
  ~HidManager();
  HidManager(const HidManager&) = delete;
  HidManager& operator=(const HidManager&) = delete;

  /// Appends a served identity.
  void addSupportedDevice(const SupportedDevice& device);
  /// Closes and forgets every interface; transfers refuse until open is set again.
  void closeAll();
  /// Opens the vendor interfaces of the served keyboards.
  void scan();
  /// Lets transfers run (true) or refuses them (false).
  void setOpen(bool open);
  /// The device type commands are meant for (0: any, for listing); forgets the chosen interface.
  void setCurrentDeviceType(int deviceType);
  /// Copies the entries of the current device type (all for type 0); false when there are none at all.
  bool listEntries(std::vector<HidEntryInfo>& out) const;
  /// True when a served identity has these ids and an empty or equal product name.
  bool isSupported(int vendorId, int productId, const std::u16string& productString) const;
  /// Index of the first entry with these ids and mode (and product string when given); -1 if none.
  int findEntry(int vendorId, int productId, const std::u16string& productName, int mode) const;
  /// Index of the entry commands go to (wired first, then mode 1, then 2), -1 when none.
  int activeEntryIndex();
  /// Connection mode of the current device type: 0 if wired, else 2, else 1; -1 when absent.
  int activeMode() const;
  /// True while an interface number 3 is open.
  bool hasSecondary() const;
  /// The system's text for the latest failed transfer.
  std::u16string lastError() const;
  /// True once a transfer found the keyboard gone; transfers refuse until closeAll.
  bool deviceGone() const;

  /// Waits 16 ms, then sends the feature report; always reports failure (the result is not used).
  bool sendFeature(const Feature& report);
  /// Sends the feature report at once; true when it was accepted.
  bool sendFeatureNow(const Feature& report, WhenBusy whenBusy = WhenBusy::Wait);
  /// Reads a feature report (byte 0 holds the report id on entry); bytes read or -1.
  int getFeature(Feature& buffer);
  /// Writes an output report, once more after 10 ms on failure; true if either write succeeded.
  bool writeReport(const Report& report);
  /// The same on interface 3; true whenever that interface exists.
  bool writeReportSecondary(const Report& report);
  /// Writes report id 0 and the 64 bytes, once more after 32 ms on failure; true if either succeeded.
  bool writeData64(const Data64& data);

 private:
  friend class HidSequence;
  struct Entry;
  using Guard = std::unique_lock<std::mutex>;
  void BeginSequence();
  void EndSequence();
  bool OtherSequenceRunsLocked() const;
  void AwaitTurnLocked(Guard& guard);
  hid_device_* ActiveHandleLocked();
  bool WriteLocked(hid_device_* handle, std::span<const std::uint8_t> bytes);
  enum class Target { Active, Secondary };
  bool WriteWithRetry(Target target, std::span<const std::uint8_t> bytes, std::uint32_t retryWaitMs);
  void RecordError(hid_device_* handle);
  bool RefusesLocked() const { return !open_ || gone_; }

  Clock& clock_;
  mutable std::mutex lock_;
  bool open_ = false;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<SupportedDevice> supported_;
  int currentDeviceType_ = 0;
  hid_device_* activeHandle_ = nullptr;
  hid_device_* secondaryHandle_ = nullptr;
  std::u16string lastError_;
  bool gone_ = false;
  // The thread whose sequence owns the transport, and how deeply it is nested.
  std::thread::id sequenceOwner_;
  int sequenceDepth_ = 0;
  std::condition_variable sequenceEnded_;
};

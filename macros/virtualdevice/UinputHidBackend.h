// Plays the virtual device's 64-byte report writes as input events: each
// write is compared with the last report of its id, every key, button or
// media key that changed is pressed or released, and one SYN_REPORT closes
// the write. The caller serialises every call (VHidev holds its lock).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "macros/virtualdevice/UinputSink.h"
#include "macros/virtualdevice/VirtualHidBackend.h"

class UinputHidBackend : public VirtualHidBackend {
 public:
  /// Name of the uinput device; the libinput quirk and the key filter find it by this name.
  static constexpr char kDeviceName[] = "Pelmora virtual keyboard";
  /// Vendor id the device announces (on the virtual bus).
  static constexpr std::uint16_t kVendorId = 0xDEED;
  /// Product id the device announces.
  static constexpr std::uint16_t kProductId = 0xFEED;

  /// Events go to the sink, which the backend owns.
  explicit UinputHidBackend(std::unique_ptr<UinputSink> sink);
  /// Releases held keys and removes the device.
  ~UinputHidBackend() override;
  UinputHidBackend(const UinputHidBackend&) = delete;
  UinputHidBackend& operator=(const UinputHidBackend&) = delete;

  /// Creates the uinput device unless it exists; false when uinput refuses.
  bool Open() override;
  /// Releases every held key, button and media key with one SYN_REPORT, then removes the device.
  void Close() override;
  /// True while the uinput device exists.
  bool IsOpen() const override;
  /// Emits the events of one report write; 64, or -1 when closed or an event could not be written.
  int Write(std::span<const std::uint8_t, 64> bytes) override;

  /// What the device announces: its name, ids, every key and media key it can send, mouse buttons.
  static UinputDeviceSpec DeviceSpec();

 private:
  using KeyboardReport = std::array<std::uint8_t, 33>;

  void ApplyKeyboard(const KeyboardReport& report);
  void ApplyMouse(std::uint8_t buttons);
  void ApplyConsumer(int usage);
  void EmitKey(int code, bool pressed);
  void FinishReport();

  std::unique_ptr<UinputSink> sink_;
  KeyboardReport keyboard_{};     // last keyboard report played
  std::uint8_t mouseButtons_ = 0;  // last mouse button byte played
  int consumerUsage_ = 0;          // last consumer usage played
  int emitted_ = 0;                // events of the write in progress
  bool failed_ = false;            // an event of the write in progress was refused
};

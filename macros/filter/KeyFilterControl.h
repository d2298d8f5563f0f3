// The control operations of the key filter, as the program issues them when
// it reprograms the filter. HidUsbFilter carries them out on evdev; tests put
// a recorder of the calls in its place.
#pragma once

#include <cstdint>
#include <span>

/// How far the filter got in taking over the served keyboard.
enum class FilterStatus {
  Running,         ///< the keyboard's event devices are served
  Idle,            ///< empty table or not started: nothing is grabbed, the keyboard works natively
  KeyboardAbsent,  ///< the keyboard is not plugged in; it is picked up when it arrives
  NoPermission,    ///< an event device could not be opened (udev rules missing); nothing is grabbed
  NoUinput,        ///< the pass-through clone could not be created; nothing is grabbed
  DeviceError,     ///< an event device failed to open for another reason; nothing is grabbed
};

class KeyFilterControl {
 public:
  virtual ~KeyFilterControl() = default;
  /// Loads a table: 256 zero bytes clear it, 1024 bytes set it; stops serving until started again. False for other inputs.
  virtual bool loadTable(std::span<const std::uint8_t> input) = 0;
  /// Makes the loaded table the one served (issued after loading).
  virtual void commitTable() = 0;
  /// Starts serving the keyboard with the committed table (issued after commitTable).
  virtual FilterStatus startFiltering() = 0;
  /// Starts the monitor thread that hands reported keys to the callbacks.
  virtual void startMonitor() = 0;
  /// Stops the monitor thread and waits for it.
  virtual void stopMonitor() = 0;
};

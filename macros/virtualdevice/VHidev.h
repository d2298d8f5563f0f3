// The virtual keyboard, mouse and media-key device the program plays
// assignments and macros through. It keeps the four reports (keyboard usage
// bitmap, mouse buttons, consumer usage, a fourth always-zero report) and
// writes each change as one 64-byte write, serialised by one lock.
//
// The backend is only ever called with that lock held, so it needs none of
// its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "macros/virtualdevice/VirtualHidBackend.h"

class VHidev {
 public:
  static constexpr int kKeyboardReport = 1;  ///< 33-byte usage bitmap
  static constexpr int kMouseReport = 2;     ///< 4 bytes, byte 0 the button bits
  static constexpr int kConsumerReport = 3;  ///< 2 bytes, one consumer usage
  static constexpr int kFourthReport = 4;    ///< 2 bytes, always zero

  static constexpr std::size_t kWriteSize = 64;          ///< bytes of every write
  static constexpr std::uint8_t kWriteMarker = 0x05;     ///< byte 0 of every write
  static constexpr std::size_t kMaxReportSize = 62;      ///< longest inner report
  static constexpr std::size_t kKeyboardReportSize = 33; ///< keyboard report bytes
  static constexpr std::size_t kMouseReportSize = 4;     ///< mouse report bytes
  static constexpr std::size_t kConsumerReportSize = 2;  ///< consumer report bytes
  static constexpr std::size_t kFourthReportSize = 2;    ///< fourth report bytes

  /// The process-wide device (created on first use, never destroyed), on uinput unless UseInstanceBackend chose otherwise.
  static VHidev& instance();
  /// Chooses the backend of the process-wide device; only before the first instance() call (the demo build).
  static void UseInstanceBackend(std::unique_ptr<VirtualHidBackend> backend);
  /// A device on the given backend (tests, demo).
  explicit VHidev(std::unique_ptr<VirtualHidBackend> backend);

  /// Makes sure the device is open, keeping an open one (recreating it would drop events); true when it is open.
  bool openVirtualDevice();
  /// Releases every key the device holds, zeroes the reports and closes it.
  void closeVirtualDevice();
  /// Writes one inner report (at most 62 bytes); the backend's result, -1 when closed or too long.
  int sendReport(int reportId, const std::uint8_t* bytes, std::size_t length);
  /// Zeroes all four reports and writes them: keyboard, mouse, consumer, fourth.
  void resetReports();
  /// Resets the reports and from then on refuses every press; releases still pass (exit).
  void refusePresses();
  /// Sets or clears a keyboard usage and writes the keyboard report.
  void setKey(int usage, bool pressed);
  /// Sets or clears a mouse button bit (below 8) and writes the mouse report.
  void setMouseButton(int bit, bool pressed);
  /// Stores a consumer usage (0: none) and writes the consumer report.
  void setConsumer(int usage);

 private:
  int WriteLocked(int reportId, const std::uint8_t* bytes, std::size_t length);
  void ResetLocked();

  std::unique_ptr<VirtualHidBackend> backend_;
  std::mutex lock_;
  std::array<std::uint8_t, kKeyboardReportSize> keyboard_{};
  std::array<std::uint8_t, kMouseReportSize> mouse_{};
  std::array<std::uint8_t, kConsumerReportSize> consumer_{};
  std::array<std::uint8_t, kFourthReportSize> fourth_{};
  // Checked under lock_ with the write it guards, so a press racing the
  // exit's reset cannot land after it.
  bool pressesRefused_ = false;
};

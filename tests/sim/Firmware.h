// What a simulated keyboard does with the frames it receives, and the record
// of every frame, so a test can assert the exact bytes and when they came.
//
// A test normally uses one of the ready models (FamilyAFirmware.h,
// FamilyBFirmware.h) and reads its frame log:
//
//   auto fw = std::make_shared<hidsim::FamilyBFirmware>();
//   hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, fw);
//   ... run the code under test ...
//   auto sent = fw->Writes();                      // accepted writes only
//   EXPECT_EQ(sent.at(0).bytes, (hidsim::Bytes{0x07, 0xFD, 0, 0, 0, 0, 0, 0}));
//   EXPECT_EQ(sent.at(0).timeMs, 16u);             // time of the bus clock
//   EXPECT_TRUE(fw->UnexpectedFrames().empty());   // nothing it did not understand
//
// One model instance stands for one keyboard; all its interfaces share it, and
// every handler is told which interface the frame came on. A test may derive
// its own model from Firmware for an odd device.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace hidsim {

using Bytes = std::vector<std::uint8_t>;

/// One HID interface as the enumeration reports it.
struct InterfaceSpec {
  std::string path;                ///< unique on the bus; hid_open_path opens it
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t releaseNumber = 0x0100;
  std::uint16_t usagePage = 0;     ///< 0xFF01 for the keyboard's vendor collection
  std::uint16_t usage = 0;         ///< 1 for the vendor collection
  int interfaceNumber = 0;         ///< 3 is the live-stream interface
  std::wstring product;            ///< product_string of the enumeration
};

/// True for the keyboard's vendor collection (usage page 0xFF01, usage 1).
bool IsVendorInterface(const InterfaceSpec& spec);

enum class FrameKind {
  Output,      ///< hid_write
  Feature,     ///< hid_send_feature_report
  GetFeature,  ///< hid_get_feature_report; bytes are the reply handed back
};

/// One transfer that reached the keyboard (or was refused at its door).
struct Frame {
  std::uint64_t timeMs = 0;   ///< bus clock time of the call (0 without a clock)
  int interfaceNumber = 0;    ///< interface the call was made on
  FrameKind kind = FrameKind::Output;
  Bytes bytes;                ///< as passed, report id at byte 0 (so a long frame's BB is
                              ///< bytes[1]); for GetFeature the reply
                              ///< (just the requested report id when the get failed)
  bool refused = false;       ///< failed by fault injection; the model never saw it
  bool unexpected = false;    ///< the model did not understand it
};

class Firmware {
 public:
  virtual ~Firmware() = default;

  /// Every frame so far, in arrival order: writes, gets, refused attempts.
  std::vector<Frame> Frames() const;
  /// Only the output and feature writes the keyboard accepted, in order.
  std::vector<Frame> Writes() const;
  /// Frames the model did not understand (wrong command, length, interface,
  /// non-zero filler bytes, a get with nothing to answer).
  std::vector<Frame> UnexpectedFrames() const;
  /// Forgets the frame log; the decoded state stays.
  void ClearFrames();
  /// Keeps only about the last `frames` frames (and per-frame histories such as
  /// music levels), so a long-running demo holds no growing log; 0 keeps all.
  void SetFrameLogLimit(std::size_t frames);
  /// Frames the model understood so far; a viewer reads the state again when it moves.
  std::uint64_t ChangeCount() const { return changes_.load(std::memory_order_acquire); }

 protected:
  // Handlers run with mutex_ held; they return false for a frame they do not
  // understand, which is then logged as unexpected (the call still succeeds,
  // as a real device would accept the bytes).
  virtual bool OnOutput(const InterfaceSpec& on, std::span<const std::uint8_t> bytes) = 0;
  virtual bool OnFeature(const InterfaceSpec& on, std::span<const std::uint8_t> bytes) = 0;
  /// Fills `reply` (report id at byte 0). An empty reply makes the get fail.
  virtual bool OnGetFeature(const InterfaceSpec& on, std::uint8_t reportId, Bytes& reply) = 0;

  /// Guards the model's state; accessors of derived models lock it too.
  mutable std::mutex mutex_;

  /// Drops the oldest entries of a history once it holds twice the limit, so trimming stays rare.
  template <typename History>
  void TrimHistory(History& history) const {
    if (logLimit_ == 0 || history.size() <= 2 * logLimit_) return;
    history.erase(history.begin(), history.end() - static_cast<std::ptrdiff_t>(logLimit_));
  }

 private:
  friend class HidapiBridge;

  // Entry points for the bus.
  void Deliver(const InterfaceSpec& on, FrameKind kind, std::span<const std::uint8_t> bytes,
               std::uint64_t nowMs);
  // The reply as the host gets it: cut to `length`, byte 0 spoiled on request.
  Bytes Answer(const InterfaceSpec& on, std::uint8_t reportId, bool wrongReportId,
               std::size_t length, std::uint64_t nowMs);
  void Record(Frame frame);

  std::vector<Frame> frames_;
  std::size_t logLimit_ = 0;
  std::atomic<std::uint64_t> changes_{0};
};

}  // namespace hidsim

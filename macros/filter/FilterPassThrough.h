// What the key filter does with the events of one grabbed event device: keys
// listed in the table are reported (their auto-repeats swallowed), everything
// else goes unchanged to the device's uinput clone, one frame at a time, so
// the keyboard keeps working. When the device ends, nothing stays held on the
// clone, and after an unplug the reported keys get their releases too.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "macros/filter/CancellableQueue.h"
#include "macros/filter/DeviceReader.h"
#include "macros/filter/KeyFilterTable.h"
#include "macros/virtualdevice/UinputSink.h"

/// A key the filter reports: its layout code and whether it went down.
struct FilterKeyEvent {
  std::uint16_t keyCode = 0;  ///< 0x100 + HID usage
  bool pressed = false;       ///< down (true) or up
};

class FilterPassThrough : public DeviceReader::Handler {
 public:
  /// Serves one device with this table, passing through to the clone (created, owned) and reporting into `keys`.
  FilterPassThrough(std::shared_ptr<const KeyFilterTable> table, std::unique_ptr<UinputSink> clone,
                    CancellableQueue<FilterKeyEvent>& keys);

  /// Reports a table key or adds the event to the frame passed on at its SYN_REPORT.
  void onEvent(const InputEvent& event, ReaderPhase phase) override;
  /// Releases what the clone holds, removes the clone, and after an unplug releases the reported keys.
  void onEnded(ReaderEnd why) override;

 private:
  void reportKey(std::uint16_t keyCode, std::int32_t value);
  void flushFrame();
  void emit(const InputEvent& event);
  void releaseClonedKeys();
  void releaseReportedKeys();

  std::shared_ptr<const KeyFilterTable> table_;
  std::unique_ptr<UinputSink> clone_;
  CancellableQueue<FilterKeyEvent>& keys_;
  std::vector<InputEvent> frame_;
  std::set<int> clonedHeld_;
  std::set<std::uint16_t> reportedHeld_;
};

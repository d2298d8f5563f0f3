#include "macros/virtualdevice/UinputHidBackend.h"

#include <linux/input-event-codes.h>
#include <linux/input.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "device/LinuxKeyTables.h"
#include "macros/virtualdevice/VHidev.h"

namespace {

constexpr int kMouseButtonCount = 8;  // bit n is BTN_LEFT + n, as the kernel maps HID buttons

int MouseButtonCode(int bit) { return BTN_LEFT + bit; }

bool BitSet(unsigned byte, int bit) { return ((byte >> bit) & 1u) != 0; }

}  // namespace

UinputHidBackend::UinputHidBackend(std::unique_ptr<UinputSink> sink) : sink_(std::move(sink)) {}

UinputHidBackend::~UinputHidBackend() { Close(); }

UinputDeviceSpec UinputHidBackend::DeviceSpec() {
  UinputDeviceSpec spec;
  spec.name = kDeviceName;
  spec.busType = BUS_VIRTUAL;
  spec.vendorId = kVendorId;
  spec.productId = kProductId;
  for (const auto& row : LinuxKeyTables::keyRows()) spec.keys.push_back(row.evdev);
  for (const auto& row : LinuxKeyTables::mediaRows()) spec.keys.push_back(row.evdev);
  for (int bit = 0; bit < kMouseButtonCount; ++bit) spec.keys.push_back(MouseButtonCode(bit));
  std::ranges::sort(spec.keys);
  spec.keys.erase(std::ranges::unique(spec.keys).begin(), spec.keys.end());
  spec.relativeAxes = true;
  return spec;
}

bool UinputHidBackend::Open() {
  if (sink_->IsCreated()) return true;
  keyboard_.fill(0);
  mouseButtons_ = 0;
  consumerUsage_ = 0;
  return sink_->Create(DeviceSpec());
}

void UinputHidBackend::Close() {
  if (!sink_->IsCreated()) return;
  emitted_ = 0;
  failed_ = false;
  ApplyKeyboard(KeyboardReport{});
  ApplyMouse(0);
  ApplyConsumer(0);
  FinishReport();
  sink_->Destroy();
}

bool UinputHidBackend::IsOpen() const { return sink_->IsCreated(); }

int UinputHidBackend::Write(std::span<const std::uint8_t, 64> bytes) {
  if (!sink_->IsCreated()) return -1;
  emitted_ = 0;
  failed_ = false;
  const auto report = bytes.subspan<2>();
  switch (bytes[1]) {
    case VHidev::kKeyboardReport: {
      KeyboardReport keyboard;
      std::ranges::copy(report.first<std::tuple_size_v<KeyboardReport>>(), keyboard.begin());
      ApplyKeyboard(keyboard);
      break;
    }
    case VHidev::kMouseReport:
      ApplyMouse(report[0]);
      break;
    case VHidev::kConsumerReport:
      ApplyConsumer(report[0] | (report[1] << 8));
      break;
    default:  // the fourth report never carries anything
      break;
  }
  FinishReport();
  return failed_ ? -1 : static_cast<int>(bytes.size());
}

void UinputHidBackend::ApplyKeyboard(const KeyboardReport& report) {
  for (std::size_t index = 0; index < report.size(); ++index) {
    const unsigned changed = keyboard_[index] ^ report[index];
    for (int bit = 0; bit < 8; ++bit) {
      if (!BitSet(changed, bit)) continue;
      // Usage 0 ("no key") and usages without an evdev code map to 0: nothing to send.
      const int code = LinuxKeyTables::usageToEvdev(static_cast<int>(index * 8) + bit);
      if (code != 0) EmitKey(code, BitSet(report[index], bit));
    }
  }
  keyboard_ = report;
}

void UinputHidBackend::ApplyMouse(std::uint8_t buttons) {
  const unsigned changed = mouseButtons_ ^ buttons;
  for (int bit = 0; bit < kMouseButtonCount; ++bit) {
    if (BitSet(changed, bit)) EmitKey(MouseButtonCode(bit), BitSet(buttons, bit));
  }
  mouseButtons_ = buttons;
}

void UinputHidBackend::ApplyConsumer(int usage) {
  if (usage == consumerUsage_) return;
  const int released = LinuxKeyTables::consumerUsageToEvdev(consumerUsage_);
  const int pressed = LinuxKeyTables::consumerUsageToEvdev(usage);
  if (released != 0) EmitKey(released, false);
  if (pressed != 0) EmitKey(pressed, true);
  consumerUsage_ = usage;
}

void UinputHidBackend::EmitKey(int code, bool pressed) {
  if (!sink_->Emit(EV_KEY, code, pressed ? 1 : 0)) failed_ = true;
  ++emitted_;
}

void UinputHidBackend::FinishReport() {
  // One SYN_REPORT per report that changed something: extra ones show as input lag.
  if (emitted_ == 0) return;
  if (!sink_->Emit(EV_SYN, SYN_REPORT, 0)) failed_ = true;
  emitted_ = 0;
}

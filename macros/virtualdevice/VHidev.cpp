#include "macros/virtualdevice/VHidev.h"

#include <algorithm>
#include <utility>

#include "macros/virtualdevice/UinputDevice.h"
#include "macros/virtualdevice/UinputHidBackend.h"

namespace {

// Usage u lives in bit (u mod 8) of byte ((u / 8) AND 31).
constexpr unsigned kKeyboardByteMask = 31;
constexpr int kMouseButtonBits = 8;

// The backend the process-wide device will be made with; none means uinput.
std::unique_ptr<VirtualHidBackend>& PendingInstanceBackend() {
  static std::unique_ptr<VirtualHidBackend> backend;
  return backend;
}

}  // namespace

void VHidev::UseInstanceBackend(std::unique_ptr<VirtualHidBackend> backend) {
  PendingInstanceBackend() = std::move(backend);
}

VHidev& VHidev::instance() {
  // Never destroyed: the filter monitor and the worker may still write while
  // static objects are being torn down at exit.
  static VHidev* const device = [] {
    std::unique_ptr<VirtualHidBackend> backend = std::move(PendingInstanceBackend());
    if (!backend) backend = std::make_unique<UinputHidBackend>(std::make_unique<UinputDevice>());
    return new VHidev(std::move(backend));
  }();
  return *device;
}

VHidev::VHidev(std::unique_ptr<VirtualHidBackend> backend) : backend_(std::move(backend)) {}

bool VHidev::openVirtualDevice() {
  std::lock_guard lock(lock_);
  return backend_->Open();
}

void VHidev::closeVirtualDevice() {
  std::lock_guard lock(lock_);
  backend_->Close();
  // The closed device holds nothing; a later write must not press old keys again.
  keyboard_.fill(0);
  mouse_.fill(0);
  consumer_.fill(0);
}

int VHidev::sendReport(int reportId, const std::uint8_t* bytes, std::size_t length) {
  std::lock_guard lock(lock_);
  return WriteLocked(reportId, bytes, length);
}

void VHidev::resetReports() {
  std::lock_guard lock(lock_);
  ResetLocked();
}

void VHidev::refusePresses() {
  std::lock_guard lock(lock_);
  pressesRefused_ = true;
  ResetLocked();
}

void VHidev::ResetLocked() {
  keyboard_.fill(0);
  mouse_.fill(0);
  consumer_.fill(0);
  fourth_.fill(0);
  WriteLocked(kKeyboardReport, keyboard_.data(), keyboard_.size());
  WriteLocked(kMouseReport, mouse_.data(), mouse_.size());
  WriteLocked(kConsumerReport, consumer_.data(), consumer_.size());
  WriteLocked(kFourthReport, fourth_.data(), fourth_.size());
}

void VHidev::setKey(int usage, bool pressed) {
  const auto u = static_cast<unsigned>(usage);
  const std::size_t index = (u / 8) & kKeyboardByteMask;
  const auto bit = static_cast<std::uint8_t>(1u << (u % 8));
  std::lock_guard lock(lock_);
  if (pressed && pressesRefused_) return;
  keyboard_[index] = pressed ? (keyboard_[index] | bit) : (keyboard_[index] & ~bit);
  WriteLocked(kKeyboardReport, keyboard_.data(), keyboard_.size());
}

void VHidev::setMouseButton(int bit, bool pressed) {
  std::lock_guard lock(lock_);
  if (pressed && pressesRefused_) return;
  if (bit >= 0 && bit < kMouseButtonBits) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    mouse_[0] = pressed ? (mouse_[0] | mask) : (mouse_[0] & ~mask);
  }
  WriteLocked(kMouseReport, mouse_.data(), mouse_.size());
}

void VHidev::setConsumer(int usage) {
  std::lock_guard lock(lock_);
  if (usage != 0 && pressesRefused_) return;
  consumer_[0] = static_cast<std::uint8_t>(usage & 0xFF);
  consumer_[1] = static_cast<std::uint8_t>((usage >> 8) & 0xFF);
  WriteLocked(kConsumerReport, consumer_.data(), consumer_.size());
}

int VHidev::WriteLocked(int reportId, const std::uint8_t* bytes, std::size_t length) {
  if (length > kMaxReportSize || !backend_->IsOpen()) return -1;
  std::array<std::uint8_t, kWriteSize> frame{};
  frame[0] = kWriteMarker;
  frame[1] = static_cast<std::uint8_t>(reportId);
  std::copy_n(bytes, length, frame.begin() + 2);
  return backend_->Write(frame);
}

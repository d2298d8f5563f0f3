#include "tests/sim/Firmware.h"

#include <utility>

namespace hidsim {

bool IsVendorInterface(const InterfaceSpec& spec) {
  return spec.usagePage == 0xFF01 && spec.usage == 1;
}

std::vector<Frame> Firmware::Frames() const {
  std::lock_guard lock(mutex_);
  return frames_;
}

std::vector<Frame> Firmware::Writes() const {
  std::lock_guard lock(mutex_);
  std::vector<Frame> out;
  for (const Frame& f : frames_) {
    if (f.kind != FrameKind::GetFeature && !f.refused) out.push_back(f);
  }
  return out;
}

std::vector<Frame> Firmware::UnexpectedFrames() const {
  std::lock_guard lock(mutex_);
  std::vector<Frame> out;
  for (const Frame& f : frames_) {
    if (f.unexpected) out.push_back(f);
  }
  return out;
}

void Firmware::ClearFrames() {
  std::lock_guard lock(mutex_);
  frames_.clear();
}

void Firmware::SetFrameLogLimit(std::size_t frames) {
  std::lock_guard lock(mutex_);
  logLimit_ = frames;
  TrimHistory(frames_);
}

void Firmware::Deliver(const InterfaceSpec& on, FrameKind kind, std::span<const std::uint8_t> bytes,
                       std::uint64_t nowMs) {
  std::lock_guard lock(mutex_);
  const bool understood = kind == FrameKind::Output ? OnOutput(on, bytes) : OnFeature(on, bytes);
  frames_.push_back(Frame{nowMs, on.interfaceNumber, kind, Bytes(bytes.begin(), bytes.end()),
                          false, !understood});
  TrimHistory(frames_);
  if (understood) changes_.fetch_add(1, std::memory_order_release);
}

Bytes Firmware::Answer(const InterfaceSpec& on, std::uint8_t reportId, bool wrongReportId,
                       std::size_t length, std::uint64_t nowMs) {
  std::lock_guard lock(mutex_);
  Bytes reply;
  const bool understood = OnGetFeature(on, reportId, reply);
  if (reply.size() > length) reply.resize(length);
  // The model still answers (and moves on); only the id the host sees is wrong.
  if (wrongReportId && !reply.empty()) reply[0] = reportId == 0 ? 0x01 : 0x00;
  frames_.push_back(Frame{nowMs, on.interfaceNumber, FrameKind::GetFeature,
                          reply.empty() ? Bytes{reportId} : reply, false, !understood});
  TrimHistory(frames_);
  return reply;
}

void Firmware::Record(Frame frame) {
  std::lock_guard lock(mutex_);
  frames_.push_back(std::move(frame));
  TrimHistory(frames_);
}

}  // namespace hidsim

// A capture source a test fills by hand: queued packets are read in order,
// and ChangeDefault delivers a default-device notice from the calling thread.
#pragma once

#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "lighting/AudioCaptureSource.h"

class MusicFakeSource : public AudioCaptureSource {
 public:
  /// Counts the start; refuses when told to.
  bool Start() override {
    std::lock_guard lock(mutex_);
    ++starts_;
    gone_ = false;
    capturing_ = !refuseStart_;
    return !refuseStart_;
  }
  /// Counts the stop; waiting packets are kept for the next start.
  void Stop() override {
    std::lock_guard lock(mutex_);
    ++stops_;
    capturing_ = false;
  }
  /// The format set by the test, once capturing.
  std::optional<CaptureFormat> Format() const override {
    std::lock_guard lock(mutex_);
    return capturing_ ? format_ : std::nullopt;
  }
  /// The oldest queued packet while capturing.
  PacketStatus Read(std::vector<std::uint8_t>& packet) override {
    std::lock_guard lock(mutex_);
    packet.clear();
    ++reads_;
    if (gone_) return PacketStatus::Gone;
    if (!capturing_ || packets_.empty()) return PacketStatus::None;
    packet = std::move(packets_.front());
    packets_.pop_front();
    return PacketStatus::Packet;
  }
  /// Remembers the handler.
  void SetDefaultChangedHandler(std::function<void()> handler) override {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
  }

  /// Queues one packet of 32-bit floats.
  void PushFloats(std::span<const float> values) { PushBytes(values.data(), values.size_bytes()); }
  /// Queues one packet of 16-bit samples.
  void PushSamples(std::span<const std::int16_t> values) { PushBytes(values.data(), values.size_bytes()); }
  /// Makes every read report the device gone, until the next start.
  void LoseDevice() {
    std::lock_guard lock(mutex_);
    gone_ = true;
  }
  /// Delivers a default-device notice; false when no handler is set.
  bool ChangeDefault() {
    std::function<void()> handler;
    {
      std::lock_guard lock(mutex_);
      handler = handler_;
    }
    if (!handler) return false;
    handler();
    return true;
  }
  /// Sets the format reported while capturing.
  void SetFormat(const CaptureFormat& format) {
    std::lock_guard lock(mutex_);
    format_ = format;
  }
  /// Makes Start fail.
  void RefuseStart() {
    std::lock_guard lock(mutex_);
    refuseStart_ = true;
  }
  /// Starts so far.
  int Starts() const {
    std::lock_guard lock(mutex_);
    return starts_;
  }
  /// Stops so far.
  int Stops() const {
    std::lock_guard lock(mutex_);
    return stops_;
  }
  /// Reads so far.
  int Reads() const {
    std::lock_guard lock(mutex_);
    return reads_;
  }
  /// Whether the source is capturing.
  bool Capturing() const {
    std::lock_guard lock(mutex_);
    return capturing_;
  }
  /// Packets not read yet.
  std::size_t Waiting() const {
    std::lock_guard lock(mutex_);
    return packets_.size();
  }

 private:
  void PushBytes(const void* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::memcpy(bytes.data(), data, size);
    std::lock_guard lock(mutex_);
    packets_.push_back(std::move(bytes));
  }

  mutable std::mutex mutex_;
  std::deque<std::vector<std::uint8_t>> packets_;
  std::function<void()> handler_;
  std::optional<CaptureFormat> format_;
  bool capturing_ = false;
  bool gone_ = false;
  bool refuseStart_ = false;
  int starts_ = 0;
  int stops_ = 0;
  int reads_ = 0;
};

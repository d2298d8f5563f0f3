#include "tests/sim/KeyboardFirmware.h"

#include <algorithm>

namespace hidsim {

void KeyboardFirmware::SetFirmwareVersion(std::uint16_t version) {
  std::lock_guard lock(mutex_);
  version_ = version;
}

std::array<std::uint8_t, KeyboardFirmware::kCustomColourBytes> KeyboardFirmware::CustomColours()
    const {
  std::lock_guard lock(mutex_);
  return colours_;
}

int KeyboardFirmware::ResetCount() const {
  std::lock_guard lock(mutex_);
  return resets_;
}

bool KeyboardFirmware::IsCommandInterface(const InterfaceSpec& on) {
  return IsVendorInterface(on) && on.interfaceNumber != 3;
}

bool KeyboardFirmware::IsStreamInterface(const InterfaceSpec& on) {
  return IsVendorInterface(on) && on.interfaceNumber == 3;
}

bool KeyboardFirmware::ZeroFrom(std::span<const std::uint8_t> bytes, std::size_t from) {
  return from >= bytes.size() ||
         std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(),
                     [](std::uint8_t b) { return b == 0; });
}

bool KeyboardFirmware::IsReportFrame(std::span<const std::uint8_t> bytes) {
  return bytes.size() == 65 && bytes[0] == 0x00;
}

bool KeyboardFirmware::IsFeatureFrame(std::span<const std::uint8_t> bytes) {
  return bytes.size() == 8 && bytes[0] == 0x07;
}

bool KeyboardFirmware::ApplyChunk(std::span<const std::uint8_t> bytes, std::size_t dataAt,
                                  std::size_t maxLength, std::span<std::uint8_t> table) {
  const std::size_t length = bytes[2];
  const std::size_t offset = bytes[3] | (static_cast<std::size_t>(bytes[4]) << 8);
  if (length > maxLength || offset + length > table.size() || dataAt + length > bytes.size()) {
    return false;
  }
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(dataAt), length,
              table.begin() + static_cast<std::ptrdiff_t>(offset));
  return true;
}

bool KeyboardFirmware::CutsIntoDownload(std::span<const std::uint8_t> bytes) const {
  return downloading_.has_value() && IsFeatureFrame(bytes);
}

void KeyboardFirmware::TrackDownload(std::span<const std::uint8_t> chunk, std::size_t fullLength,
                                     std::size_t total) {
  const std::size_t length = chunk[2];
  const std::size_t end = chunk[3] + (static_cast<std::size_t>(chunk[4]) << 8) + length;
  const bool more = length == fullLength && end < total;
  downloading_ = more ? std::optional<std::uint8_t>(chunk[1]) : std::nullopt;
}

bool KeyboardFirmware::HandleVersionRequest(std::span<const std::uint8_t> bytes) {
  if (!ZeroFrom(bytes, 2)) return false;
  queued_.clear();
  versionStanding_ = true;
  return true;
}

// Eight chunks make 440 bytes (110 lights).
bool KeyboardFirmware::HandleCustomColourChunk(std::span<const std::uint8_t> bytes) {
  if (!ApplyChunk(bytes, 5, 60, colours_)) return false;
  TrackDownload(bytes, 60, 440);
  return true;
}

void KeyboardFirmware::QueueReplies(std::span<const std::array<std::uint8_t, 8>> replies) {
  versionStanding_ = false;
  queued_.assign(replies.begin(), replies.end());
}

bool KeyboardFirmware::OnGetFeature(const InterfaceSpec& on, std::uint8_t reportId, Bytes& reply) {
  reply.assign(8, 0);
  reply[0] = reportId;
  if (reportId != 0x07 || !IsCommandInterface(on)) return false;
  if (!queued_.empty()) {
    reply.assign(queued_.front().begin(), queued_.front().end());
    queued_.pop_front();
    return true;
  }
  if (versionStanding_) {
    reply[1] = static_cast<std::uint8_t>(version_ >> 8);
    reply[2] = static_cast<std::uint8_t>(version_ & 0xFF);
    return true;
  }
  return false;  // nothing was asked for
}

}  // namespace hidsim

// Bounds-checked little-endian reads from an encoded picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ZephUI {

/// Reads little-endian fields at offsets; out-of-range reads give 0, so check Has() first.
class ImageByteReader {
 public:
  /// Reads from `bytes`, which must outlive the reader.
  explicit ImageByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  /// True when `count` bytes exist at `offset`.
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  /// The byte at `offset`.
  std::uint8_t U8(std::size_t offset) const { return Has(offset, 1) ? bytes_[offset] : 0; }
  /// The 16-bit value at `offset`.
  std::uint16_t U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
  }
  /// The 32-bit value at `offset`.
  std::uint32_t U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(U16(offset)) | (static_cast<std::uint32_t>(U16(offset + 2)) << 16);
  }
  /// The signed 32-bit value at `offset`.
  std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  /// The bytes from `offset` on (empty when out of range).
  std::span<const std::uint8_t> From(std::size_t offset) const {
    return offset <= bytes_.size() ? bytes_.subspan(offset) : std::span<const std::uint8_t>();
  }
  /// `count` bytes at `offset` (empty when out of range).
  std::span<const std::uint8_t> Slice(std::size_t offset, std::size_t count) const {
    return Has(offset, count) ? bytes_.subspan(offset, count) : std::span<const std::uint8_t>();
  }
  /// Number of bytes.
  std::size_t Size() const { return bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace ZephUI

// What both command families of the keyboard have in common: the firmware
// version query, the custom per-key colour table and the reply buffer that
// get-feature reads. Tests use the family models derived from it
// (FamilyAFirmware.h, FamilyBFirmware.h); the accessors below work on both.
//
//   fw->SetFirmwareVersion(0x0102);      // what 07 FD makes the next get answer
//   fw->CustomColours()[4 * 7 + 3]       // fourth byte of light index 7
//   fw->ResetCount()                     // factory resets received
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>

#include "tests/sim/Firmware.h"

namespace hidsim {

class KeyboardFirmware : public Firmware {
 public:
  static constexpr std::size_t kCustomColourBytes = 600;

  /// Version reported after a request 07 FD: reply 07 hi lo 00 00 00 00 00. Default 0x0102.
  void SetFirmwareVersion(std::uint16_t version);
  /// The colour table assembled from command 0x8B chunks (4 bytes per light index).
  std::array<std::uint8_t, kCustomColourBytes> CustomColours() const;
  /// Factory resets received so far (the two-part family B reset counts once).
  int ResetCount() const;

 protected:
  // A command interface is a vendor collection other than the stream interface 3.
  static bool IsCommandInterface(const InterfaceSpec& on);
  static bool IsStreamInterface(const InterfaceSpec& on);
  // Frames are zero-filled except for the named bytes.
  static bool ZeroFrom(std::span<const std::uint8_t> bytes, std::size_t from);
  // A 65-byte output frame with report id 0.
  static bool IsReportFrame(std::span<const std::uint8_t> bytes);
  // An 8-byte feature frame with report id 7.
  static bool IsFeatureFrame(std::span<const std::uint8_t> bytes);

  // Chunk: byte 2 length, bytes 3-4 offset, `dataAt` onward the data.
  // Copies into `table`; false when the chunk does not fit.
  static bool ApplyChunk(std::span<const std::uint8_t> bytes, std::size_t dataAt,
                         std::size_t maxLength, std::span<std::uint8_t> table);

  // A chunked download (custom colours; in family A also the key table and
  // the macro buffers) in transit: until its last byte has come, a feature
  // frame cuts into it, as the frame of another sender (music level, custom
  // set selection) would.
  bool CutsIntoDownload(std::span<const std::uint8_t> bytes) const;
  // After an accepted chunk (byte 2 length, bytes 3-4 offset): a full-length
  // chunk that leaves bytes of `total` to come keeps its download open; a
  // shorter one is the last.
  void TrackDownload(std::span<const std::uint8_t> chunk, std::size_t fullLength, std::size_t total);

  bool HandleVersionRequest(std::span<const std::uint8_t> bytes);
  bool HandleCustomColourChunk(std::span<const std::uint8_t> bytes);

  // Replies queued for the coming gets are served first; after them the
  // standing reply (the version) keeps answering until another request.
  void QueueReplies(std::span<const std::array<std::uint8_t, 8>> replies);
  void CountReset() { ++resets_; }

  bool OnGetFeature(const InterfaceSpec& on, std::uint8_t reportId, Bytes& reply) override;

 private:
  std::uint16_t version_ = 0x0102;
  std::array<std::uint8_t, kCustomColourBytes> colours_{};
  int resets_ = 0;
  std::deque<std::array<std::uint8_t, 8>> queued_;
  bool versionStanding_ = false;
  std::optional<std::uint8_t> downloading_;  // command of the download in transit
};

}  // namespace hidsim

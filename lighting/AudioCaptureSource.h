// Where captured sound comes from: the system's output, recorded in loopback.
// The visualiser and the level capture each own one; tests put a source of
// their own making in its place.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

/// The sample layout a capture asks for.
enum class SampleFormat {
  Float32,   ///< 32-bit floats, stereo (the spectrum)
  Signed16,  ///< 16-bit integers, stereo (the music level)
};

/// What reading one packet found.
enum class PacketStatus {
  Packet,  ///< a packet was taken
  None,    ///< nothing is waiting
  Gone,    ///< the device went away; stop the capture
};

/// The format of a running capture.
struct CaptureFormat {
  int sampleRate = 0;      ///< frames per second
  int channels = 0;        ///< samples per frame
  int bitsPerSample = 0;   ///< 16 or 32
  int blockSize = 0;       ///< bytes per frame
  int bytesPerSecond = 0;  ///< block size x sample rate
  /// Equal when every field is.
  bool operator==(const CaptureFormat&) const = default;
};

class AudioCaptureSource {
 public:
  virtual ~AudioCaptureSource() = default;
  /// Starts, or restarts, capturing the followed source; false when capture cannot be had at all.
  virtual bool Start() = 0;
  /// Stops capturing and releases the stream.
  virtual void Stop() = 0;
  /// The running stream's format; none before the stream runs.
  virtual std::optional<CaptureFormat> Format() const = 0;
  /// Takes the oldest waiting packet's bytes into packet (emptied first).
  virtual PacketStatus Read(std::vector<std::uint8_t>& packet) = 0;
  /// The call made, possibly from another thread, when the default output device changes.
  virtual void SetDefaultChangedHandler(std::function<void()> handler) = 0;
  /// Follows the named source (an output's monitor) from now on; empty follows the default output. Sources without a choice ignore it.
  virtual void FollowSource(const std::string& /*sourceName*/) {}
};

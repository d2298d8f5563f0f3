// Loopback capture on a PulseAudio server (PipeWire serves the same API):
// records the monitor source of the default sink, or a source chosen by
// name, on the library's own event-loop thread. It follows default-sink
// changes through server events while no chosen source is there, takes a
// chosen source up again when it reappears, and reconnects when the server
// goes away and comes back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lighting/AudioCaptureSource.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;
struct pa_server_info;

/// What a capture does with sound that piles up faster than it is read.
enum class PulseBacklog {
  Keep,       ///< every packet is read in turn (the visualiser drains them all each frame)
  DropStale,  ///< older packets are dropped so one read per cycle gets recent sound (the level)
};

class PulseCapture : public AudioCaptureSource {
 public:
  static constexpr std::uint32_t kFragmentMs = 15;    ///< asked-for packet length; the server's default is ~2 s
  static constexpr std::uint32_t kReconnectMs = 1000; ///< wait before trying a lost server again

  /// Captures stereo in the given format; server empty means the user's default server.
  PulseCapture(SampleFormat format, PulseBacklog backlog, std::string server = {});
  /// Releases the stream and the connection and ends the event-loop thread.
  ~PulseCapture() override;
  PulseCapture(const PulseCapture&) = delete;
  PulseCapture& operator=(const PulseCapture&) = delete;

  /// Connects when needed and opens the stream on the followed source; false without an event loop.
  bool Start() override;
  /// Closes the stream; the connection stays for the default-sink notices.
  void Stop() override;
  /// The open stream's format; none until the stream is ready.
  std::optional<CaptureFormat> Format() const override;
  /// Takes the oldest waiting fragment; a hole in the recording reads as silence.
  PacketStatus Read(std::vector<std::uint8_t>& packet) override;
  /// Called on the event-loop thread when the default sink changes or the server comes back.
  void SetDefaultChangedHandler(std::function<void()> handler) override;
  /// Records the named source while the server has it, else the default sink's monitor; empty: always the default.
  void FollowSource(const std::string& sourceName) override;
  /// The source the stream records from; empty while there is none.
  std::string SourceName() const;

 private:
  class LoopLock;
  struct Callbacks;

  void Connect();
  void ReleaseContext();
  void ScheduleReconnect();
  void ContextReady();
  void ContextLost();
  void RequestStream();
  void ServerInfoAtReady(const pa_server_info& info);
  void ServerInfoChanged(const pa_server_info& info);
  void ServerInfoForStream(const pa_server_info& info);
  void TakeServerInfo(const pa_server_info& info);
  void ResolveChosen();
  void ChosenAnswer(const char* name, bool found);
  void StreamEnded();
  bool FollowingDefault() const;
  std::string Target() const;
  bool StreamAlive() const;
  void OpenStream();
  void DropStream();
  void DefaultChanged();
  void DropStaleFragments();
  PacketStatus TakeFragment(std::vector<std::uint8_t>& packet);

  const SampleFormat format_;
  const PulseBacklog backlog_;
  const std::string server_;
  pa_threaded_mainloop* loop_ = nullptr;

  // Guarded by the event loop's lock (taken by LoopLock outside the loop thread).
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  pa_time_event* reconnect_ = nullptr;
  std::function<void()> onDefaultChanged_;
  std::string defaultSink_;
  std::uint32_t serverRate_ = 0;
  std::string chosen_;          // the followed source; empty follows the default sink
  bool chosenPresent_ = false;  // the server last said it has the chosen source
  std::string sourceName_;
  bool wanted_ = false;     // the owner asked for capture
  bool failed_ = false;     // the stream died under the owner
  bool everReady_ = false;  // a connection has been ready before
};

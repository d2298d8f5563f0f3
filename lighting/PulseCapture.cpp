#include "lighting/PulseCapture.h"

#include <pulse/pulseaudio.h>

#include <cstring>

namespace {

constexpr const char* kClientName = "Pelmora keyboard T40";
constexpr const char* kStreamName = "Keyboard lighting";
constexpr std::uint32_t kFallbackRate = 48000;
constexpr std::size_t kStaleFragments = 2;  // fragments kept when dropping stale sound

pa_sample_spec SpecFor(SampleFormat format, std::uint32_t rate) {
  pa_sample_spec spec{};
  spec.format = format == SampleFormat::Float32 ? PA_SAMPLE_FLOAT32NE : PA_SAMPLE_S16NE;
  spec.rate = rate != 0 ? rate : kFallbackRate;
  spec.channels = 2;
  return spec;
}

void Unref(pa_operation* operation) {
  if (operation) pa_operation_unref(operation);
}

}  // namespace

// Takes the event loop's lock unless already on the loop thread, where the
// library holds it for us and taking it again is forbidden.
class PulseCapture::LoopLock {
 public:
  explicit LoopLock(pa_threaded_mainloop* loop)
      : loop_(loop && !pa_threaded_mainloop_in_thread(loop) ? loop : nullptr) {
    if (loop_) pa_threaded_mainloop_lock(loop_);
  }
  ~LoopLock() {
    if (loop_) pa_threaded_mainloop_unlock(loop_);
  }
  LoopLock(const LoopLock&) = delete;
  LoopLock& operator=(const LoopLock&) = delete;

 private:
  pa_threaded_mainloop* loop_;
};

// The library's C callbacks, run on the loop thread with its lock held.
struct PulseCapture::Callbacks {
  static void ContextState(pa_context* context, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    switch (pa_context_get_state(context)) {
      case PA_CONTEXT_READY: capture->ContextReady(); break;
      case PA_CONTEXT_FAILED:
      case PA_CONTEXT_TERMINATED: capture->ContextLost(); break;
      default: break;
    }
  }
  static void Subscription(pa_context* context, pa_subscription_event_type_t event, std::uint32_t, void* self) {
    const auto facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const auto type = event & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (facility == PA_SUBSCRIPTION_EVENT_SERVER && type == PA_SUBSCRIPTION_EVENT_CHANGE) {
      Unref(pa_context_get_server_info(context, ServerInfoChanged, self));
    } else if (facility == PA_SUBSCRIPTION_EVENT_SOURCE && type != PA_SUBSCRIPTION_EVENT_CHANGE) {
      // A source came or went: it may be the chosen one.
      static_cast<PulseCapture*>(self)->ResolveChosen();
    }
  }
  static void ServerInfoAtReady(pa_context*, const pa_server_info* info, void* self) {
    if (info) static_cast<PulseCapture*>(self)->ServerInfoAtReady(*info);
  }
  static void ServerInfoChanged(pa_context*, const pa_server_info* info, void* self) {
    if (info) static_cast<PulseCapture*>(self)->ServerInfoChanged(*info);
  }
  static void ServerInfoForStream(pa_context*, const pa_server_info* info, void* self) {
    if (info) static_cast<PulseCapture*>(self)->ServerInfoForStream(*info);
  }
  // Called once with the source, then once more at the end of the list; without the source, eol is negative.
  static void ChosenInfo(pa_context*, const pa_source_info* info, int eol, void* self) {
    if (eol > 0) return;
    static_cast<PulseCapture*>(self)->ChosenAnswer(info ? info->name : nullptr, info != nullptr);
  }
  static void StreamState(pa_stream* stream, void* self) {
    const pa_stream_state_t state = pa_stream_get_state(stream);
    // Our own disconnects clear this callback first, so an end seen here is the server's doing.
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) static_cast<PulseCapture*>(self)->StreamEnded();
  }
  static void ReconnectTimer(pa_mainloop_api* api, pa_time_event* event, const struct timeval*, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    api->time_free(event);
    capture->reconnect_ = nullptr;
    capture->Connect();
  }
};

PulseCapture::PulseCapture(SampleFormat format, PulseBacklog backlog, std::string server)
    : format_(format), backlog_(backlog), server_(std::move(server)), loop_(pa_threaded_mainloop_new()) {
  if (loop_ && pa_threaded_mainloop_start(loop_) < 0) {
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
  }
}

PulseCapture::~PulseCapture() {
  if (!loop_) return;
  {
    LoopLock lock(loop_);
    wanted_ = false;
    DropStream();
    if (reconnect_) pa_threaded_mainloop_get_api(loop_)->time_free(reconnect_);
    reconnect_ = nullptr;
    ReleaseContext();
  }
  pa_threaded_mainloop_stop(loop_);
  pa_threaded_mainloop_free(loop_);
}

bool PulseCapture::Start() {
  if (!loop_) return false;
  LoopLock lock(loop_);
  wanted_ = true;
  failed_ = false;
  if (!context_) {
    Connect();
  } else if (pa_context_get_state(context_) == PA_CONTEXT_READY) {
    RequestStream();
  }
  return true;
}

void PulseCapture::Stop() {
  if (!loop_) return;
  LoopLock lock(loop_);
  wanted_ = false;
  failed_ = false;
  DropStream();
}

void PulseCapture::SetDefaultChangedHandler(std::function<void()> handler) {
  LoopLock lock(loop_);
  onDefaultChanged_ = std::move(handler);
}

void PulseCapture::FollowSource(const std::string& sourceName) {
  if (!loop_) return;
  LoopLock lock(loop_);
  if (sourceName == chosen_) return;
  chosen_ = sourceName;
  chosenPresent_ = false;
  if (wanted_ && context_ && pa_context_get_state(context_) == PA_CONTEXT_READY) RequestStream();
}

std::string PulseCapture::SourceName() const {
  LoopLock lock(loop_);
  return sourceName_;
}

std::optional<CaptureFormat> PulseCapture::Format() const {
  LoopLock lock(loop_);
  if (!stream_ || pa_stream_get_state(stream_) != PA_STREAM_READY) return std::nullopt;
  const pa_sample_spec* spec = pa_stream_get_sample_spec(stream_);
  const auto block = static_cast<int>(pa_frame_size(spec));
  const auto rate = static_cast<int>(spec->rate);
  return CaptureFormat{rate, spec->channels, static_cast<int>(pa_sample_size(spec) * 8), block, block * rate};
}

PacketStatus PulseCapture::Read(std::vector<std::uint8_t>& packet) {
  packet.clear();
  if (!loop_) return PacketStatus::None;
  LoopLock lock(loop_);
  if (wanted_ && failed_) return PacketStatus::Gone;
  if (!stream_ || pa_stream_get_state(stream_) != PA_STREAM_READY) return PacketStatus::None;
  if (backlog_ == PulseBacklog::DropStale) DropStaleFragments();
  return TakeFragment(packet);
}

PacketStatus PulseCapture::TakeFragment(std::vector<std::uint8_t>& packet) {
  const void* data = nullptr;
  std::size_t bytes = 0;
  if (pa_stream_peek(stream_, &data, &bytes) < 0) return PacketStatus::Gone;
  if (bytes == 0) return PacketStatus::None;
  if (data) {
    const auto* first = static_cast<const std::uint8_t*>(data);
    packet.assign(first, first + bytes);
  } else {
    packet.assign(bytes, 0);
  }
  pa_stream_drop(stream_);
  return PacketStatus::Packet;
}

void PulseCapture::DropStaleFragments() {
  const pa_buffer_attr* attr = pa_stream_get_buffer_attr(stream_);
  const std::size_t keep = attr ? attr->fragsize * kStaleFragments : 0;
  while (pa_stream_readable_size(stream_) > keep) {
    const void* data = nullptr;
    std::size_t bytes = 0;
    if (pa_stream_peek(stream_, &data, &bytes) < 0 || bytes == 0) return;
    pa_stream_drop(stream_);
  }
}

void PulseCapture::Connect() {
  ReleaseContext();
  pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
  context_ = pa_context_new(api, kClientName);
  if (!context_) {
    ScheduleReconnect();
    return;
  }
  pa_context_set_state_callback(context_, Callbacks::ContextState, this);
  const char* server = server_.empty() ? nullptr : server_.c_str();
  if (pa_context_connect(context_, server, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) ScheduleReconnect();
}

void PulseCapture::ReleaseContext() {
  if (!context_) return;
  pa_context_set_state_callback(context_, nullptr, nullptr);
  pa_context_set_subscribe_callback(context_, nullptr, nullptr);
  pa_context_disconnect(context_);
  pa_context_unref(context_);
  context_ = nullptr;
}

void PulseCapture::ScheduleReconnect() {
  if (reconnect_) return;
  pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
  timeval when{};
  pa_gettimeofday(&when);
  pa_timeval_add(&when, static_cast<pa_usec_t>(kReconnectMs) * PA_USEC_PER_MSEC);
  reconnect_ = api->time_new(api, &when, Callbacks::ReconnectTimer, this);
}

void PulseCapture::ContextReady() {
  pa_context_set_subscribe_callback(context_, Callbacks::Subscription, this);
  const auto mask = static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SERVER | PA_SUBSCRIPTION_MASK_SOURCE);
  Unref(pa_context_subscribe(context_, mask, nullptr, nullptr));
  Unref(pa_context_get_server_info(context_, Callbacks::ServerInfoAtReady, this));
}

void PulseCapture::ContextLost() {
  // The stream died with the connection; the context itself is replaced later, not inside its own callback.
  if (stream_) failed_ = true;
  DropStream();
  defaultSink_.clear();
  chosenPresent_ = false;
  ScheduleReconnect();
}

void PulseCapture::RequestStream() {
  Unref(pa_context_get_server_info(context_, Callbacks::ServerInfoForStream, this));
}

void PulseCapture::TakeServerInfo(const pa_server_info& info) {
  defaultSink_ = info.default_sink_name ? info.default_sink_name : "";
  serverRate_ = info.sample_spec.rate;
}

void PulseCapture::ServerInfoAtReady(const pa_server_info& info) {
  const bool cameBack = everReady_;
  everReady_ = true;
  TakeServerInfo(info);
  if (cameBack && onDefaultChanged_) {
    // A server that came back is a new default device to whoever follows them.
    onDefaultChanged_();
  } else if (wanted_) {
    ResolveChosen();
  }
}

void PulseCapture::ServerInfoChanged(const pa_server_info& info) {
  const std::string sink = info.default_sink_name ? info.default_sink_name : "";
  if (sink == defaultSink_) return;
  TakeServerInfo(info);
  // A chosen source that is there is recorded whatever the default.
  if (FollowingDefault()) DefaultChanged();
}

void PulseCapture::ServerInfoForStream(const pa_server_info& info) {
  TakeServerInfo(info);
  ResolveChosen();
}

void PulseCapture::DefaultChanged() {
  if (onDefaultChanged_) {
    onDefaultChanged_();
  } else if (wanted_) {
    OpenStream();
  }
}

// Asks the server whether it has the chosen source; the answer opens the stream where it belongs.
void PulseCapture::ResolveChosen() {
  if (!wanted_ || !context_) return;
  if (chosen_.empty()) {
    OpenStream();
    return;
  }
  Unref(pa_context_get_source_info_by_name(context_, chosen_.c_str(), Callbacks::ChosenInfo, this));
}

// Answers come in the order asked, so the last one is about the source chosen last.
void PulseCapture::ChosenAnswer(const char* name, bool found) {
  if (found && chosen_ != name) return;
  chosenPresent_ = found;
  if (wanted_) OpenStream();
}

void PulseCapture::StreamEnded() {
  if (chosen_.empty()) {
    failed_ = true;
    return;
  }
  // The chosen source (or the default standing in for it) went away: silence until the server says where to record.
  if (context_) RequestStream();
}

bool PulseCapture::FollowingDefault() const { return chosen_.empty() || !chosenPresent_; }

std::string PulseCapture::Target() const {
  if (!FollowingDefault()) return chosen_;
  return defaultSink_.empty() ? std::string() : defaultSink_ + ".monitor";
}

bool PulseCapture::StreamAlive() const {
  if (!stream_) return false;
  const pa_stream_state_t state = pa_stream_get_state(stream_);
  return state == PA_STREAM_CREATING || state == PA_STREAM_READY;
}

void PulseCapture::OpenStream() {
  const std::string target = Target();
  // Reopening the same source would only drop sound.
  if (StreamAlive() && target == sourceName_) return;
  DropStream();
  if (!wanted_ || target.empty()) return;
  const pa_sample_spec spec = SpecFor(format_, serverRate_);
  stream_ = pa_stream_new(context_, kStreamName, &spec, nullptr);
  if (!stream_) {
    failed_ = true;
    return;
  }
  pa_stream_set_state_callback(stream_, Callbacks::StreamState, this);
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = attr.prebuf = attr.minreq = static_cast<std::uint32_t>(-1);
  attr.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(kFragmentMs * PA_USEC_PER_MSEC, &spec));
  // Never let the server move a loopback onto another source (a microphone) when its own goes away.
  const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_DONT_MOVE);
  if (pa_stream_connect_record(stream_, target.c_str(), &attr, flags) < 0) {
    DropStream();
    failed_ = true;
    return;
  }
  sourceName_ = target;
}

void PulseCapture::DropStream() {
  sourceName_.clear();
  if (!stream_) return;
  pa_stream_set_state_callback(stream_, nullptr, nullptr);
  const pa_stream_state_t state = pa_stream_get_state(stream_);
  if (state == PA_STREAM_CREATING || state == PA_STREAM_READY) pa_stream_disconnect(stream_);
  pa_stream_unref(stream_);
  stream_ = nullptr;
}

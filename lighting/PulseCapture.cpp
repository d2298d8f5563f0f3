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
    const bool serverChange = (event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) == PA_SUBSCRIPTION_EVENT_SERVER &&
                              (event & PA_SUBSCRIPTION_EVENT_TYPE_MASK) == PA_SUBSCRIPTION_EVENT_CHANGE;
    if (serverChange) Unref(pa_context_get_server_info(context, ServerInfoChanged, self));
  }
  static void ServerInfoAtReady(pa_context*, const pa_server_info* info, void* self) {
    if (info) static_cast<PulseCapture*>(self)->ServerInfoAtReady(*info);
  }
  static void ServerInfoChanged(pa_context*, const pa_server_info* info, void* self) {
    if (info) static_cast<PulseCapture*>(self)->ServerInfoChanged(*info);
  }
  static void ServerInfoForStream(pa_context*, const pa_server_info* info, void* self) {
    if (info) static_cast<PulseCapture*>(self)->OpenStream(*info);
  }
  static void StreamState(pa_stream* stream, void* self) {
    const pa_stream_state_t state = pa_stream_get_state(stream);
    // Our own disconnects clear this callback first, so an end seen here is the server's doing.
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) static_cast<PulseCapture*>(self)->failed_ = true;
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
  Unref(pa_context_subscribe(context_, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr));
  Unref(pa_context_get_server_info(context_, Callbacks::ServerInfoAtReady, this));
}

void PulseCapture::ContextLost() {
  // The stream died with the connection; the context itself is replaced later, not inside its own callback.
  if (stream_) failed_ = true;
  DropStream();
  defaultSink_.clear();
  ScheduleReconnect();
}

void PulseCapture::RequestStream() {
  Unref(pa_context_get_server_info(context_, Callbacks::ServerInfoForStream, this));
}

void PulseCapture::ServerInfoAtReady(const pa_server_info& info) {
  const bool cameBack = everReady_;
  everReady_ = true;
  defaultSink_ = info.default_sink_name ? info.default_sink_name : "";
  if (cameBack && onDefaultChanged_) {
    // A server that came back is a new default device to whoever follows them.
    onDefaultChanged_();
  } else if (wanted_) {
    OpenStream(info);
  }
}

void PulseCapture::ServerInfoChanged(const pa_server_info& info) {
  const std::string sink = info.default_sink_name ? info.default_sink_name : "";
  if (sink == defaultSink_) return;
  defaultSink_ = sink;
  DefaultChanged(info);
}

void PulseCapture::DefaultChanged(const pa_server_info& info) {
  if (onDefaultChanged_) {
    onDefaultChanged_();
  } else if (wanted_) {
    OpenStream(info);
  }
}

void PulseCapture::OpenStream(const pa_server_info& info) {
  DropStream();
  if (!wanted_ || !info.default_sink_name || !*info.default_sink_name) return;
  const pa_sample_spec spec = SpecFor(format_, info.sample_spec.rate);
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
  const std::string monitor = std::string(info.default_sink_name) + ".monitor";
  if (pa_stream_connect_record(stream_, monitor.c_str(), &attr, PA_STREAM_ADJUST_LATENCY) < 0) {
    DropStream();
    failed_ = true;
    return;
  }
  sourceName_ = monitor;
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

#include "mainwindow/lightpage/AudioMonitorList.h"

#include <pulse/pulseaudio.h>

#include <chrono>
#include <string_view>

#include "zephui/Text.h"

namespace {

// What one query collects; the callbacks run inside the loop on the asking thread.
struct Query {
  pa_context* context = nullptr;
  std::string defaultSink;
  std::vector<AudioMonitor> monitors;
  bool done = false;
};

void OnSource(pa_context*, const pa_source_info* info, int end, void* data) {
  auto& query = *static_cast<Query*>(data);
  if (end != 0 || info == nullptr) {
    query.done = true;
    return;
  }
  if (info->monitor_of_sink == PA_INVALID_INDEX || info->monitor_of_sink_name == nullptr) return;
  if (query.defaultSink == info->monitor_of_sink_name) return;  // listed first, under its own name
  const char* label = info->description != nullptr ? info->description : info->name;
  query.monitors.push_back(AudioMonitor{info->name, ZephUI::ToUtf16(label)});
}

void OnServer(pa_context* context, const pa_server_info* info, void* data) {
  auto& query = *static_cast<Query*>(data);
  if (info != nullptr && info->default_sink_name != nullptr) query.defaultSink = info->default_sink_name;
  if (pa_operation* op = pa_context_get_source_info_list(context, OnSource, data)) {
    pa_operation_unref(op);
  } else {
    query.done = true;
  }
}

void OnState(pa_context* context, void* data) {
  auto& query = *static_cast<Query*>(data);
  switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
      if (pa_operation* op = pa_context_get_server_info(context, OnServer, data)) pa_operation_unref(op);
      else query.done = true;
      return;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED: query.done = true; return;
    default: return;
  }
}

void RunUntilDone(pa_mainloop* loop, Query& query, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!query.done) {
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    if (pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 || pa_mainloop_poll(loop) < 0 ||
        pa_mainloop_dispatch(loop) < 0) {
      return;
    }
  }
}

}  // namespace

std::vector<AudioMonitor> AudioMonitorList::Defaults() { return {AudioMonitor{"", u"Default Loopback Device"}}; }

std::vector<AudioMonitor> AudioMonitorList::Read(int timeoutMs) {
  Query query;
  query.monitors = Defaults();
  pa_mainloop* loop = pa_mainloop_new();
  if (loop == nullptr) return query.monitors;
  query.context = pa_context_new(pa_mainloop_get_api(loop), "monitor list");
  if (query.context != nullptr) {
    pa_context_set_state_callback(query.context, OnState, &query);
    if (pa_context_connect(query.context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
      RunUntilDone(loop, query, timeoutMs);
    }
    pa_context_set_state_callback(query.context, nullptr, nullptr);
    pa_context_disconnect(query.context);
    pa_context_unref(query.context);
  }
  pa_mainloop_free(loop);
  return query.monitors;
}

#include "mainwindow/macropage/GrabKeyboardHook.h"

#include <utility>

using namespace ZephUI;

namespace {

// The evdev value of a key event: 0 up, 1 down, 2 auto-repeat.
std::int32_t EvdevValue(GrabbedKeyAction action) {
  switch (action) {
    case GrabbedKeyAction::Release: return 0;
    case GrabbedKeyAction::Repeat: return 2;
    default: return 1;
  }
}

}  // namespace

GrabKeyboardHook::GrabKeyboardHook(HWND window, UINT message) : window_(window), message_(message) {}

GrabKeyboardHook::~GrabKeyboardHook() { uninstall(); }

bool GrabKeyboardHook::install(Handler handler) {
  grab_.Release();
  handler_ = std::move(handler);
  translator_ = HookKeyTranslator();
  lastTime_.reset();
  return grab_.Grab(window_, message_) == GrabResult::Grabbed;
}

void GrabKeyboardHook::uninstall() {
  grab_.Release();
  handler_ = nullptr;
}

bool GrabKeyboardHook::Deliver(WPARAM wParam, LPARAM lParam) {
  // Keys already queued when the grab ended are not the recording's any more.
  if (!grab_.IsActive() || !handler_) return false;
  const GrabbedKey key = KeyboardGrab::Decode(wParam, lParam);
  if (key.keyCode == 0) return true;
  const auto [message, record] =
      translator_.translate(static_cast<int>(key.keyCode), EvdevValue(key.action), Unwrapped(key.timeMs));
  return handler_(message, record);
}

// X time stamps are 32-bit milliseconds that wrap every 49.7 days; delays are measured on a running count.
std::uint64_t GrabKeyboardHook::Unwrapped(std::uint32_t stamp) {
  if (!lastTime_) {
    lastTime_ = stamp;
  } else {
    const auto step = static_cast<std::int32_t>(stamp - static_cast<std::uint32_t>(*lastTime_));
    *lastTime_ += static_cast<std::uint64_t>(static_cast<std::int64_t>(step));
  }
  return *lastTime_;
}

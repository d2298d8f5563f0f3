#include "backend/headless/HeadlessBackend.h"

#include <algorithm>

#include "backend/EventSink.h"
#include "backend/RectMath.h"
#include "backend/headless/HeadlessWaiter.h"
#include "backend/headless/HeadlessWindow.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI::Backend {
namespace {

constexpr Rect kDefaultScreen{0, 0, 1920, 1080};

}  // namespace

HeadlessBackend::HeadlessBackend() { ResetDesktop(); }

HeadlessBackend::~HeadlessBackend() = default;

std::unique_ptr<NativeWaiter> HeadlessBackend::CreateWaiter() { return std::make_unique<HeadlessWaiter>(*this); }

std::unique_ptr<NativeWindow> HeadlessBackend::CreateWindow(const NativeWindowSpec& spec) {
  return std::make_unique<HeadlessWindow>(*this, spec.hwnd);
}

Rect HeadlessBackend::ScreenRect() const {
  std::lock_guard lock(desktopMutex_);
  return desktop_.screen;
}

Rect HeadlessBackend::WorkArea() const {
  std::lock_guard lock(desktopMutex_);
  return desktop_.workArea;
}

std::vector<MonitorInfo> HeadlessBackend::Monitors() const {
  std::lock_guard lock(desktopMutex_);
  if (!desktop_.monitors.empty()) return desktop_.monitors;
  return {MonitorInfo{desktop_.screen, desktop_.workArea, true}};
}

Point HeadlessBackend::PointerPosition() const {
  std::lock_guard lock(desktopMutex_);
  return desktop_.pointer;
}

bool HeadlessBackend::KeyPhysicallyDown(std::uint32_t vk) const {
  std::lock_guard lock(desktopMutex_);
  const auto either = [this](std::uint32_t left, std::uint32_t right) {
    return desktop_.keysDown.contains(left) || desktop_.keysDown.contains(right);
  };
  switch (vk) {
    case VK_SHIFT: return either(VK_LSHIFT, VK_RSHIFT);
    case VK_CONTROL: return either(VK_LCONTROL, VK_RCONTROL);
    case VK_MENU: return either(VK_LMENU, VK_RMENU);
    default: return desktop_.keysDown.contains(vk);
  }
}

void HeadlessBackend::SetWindowRegion(HWND hwnd, int diameter) {
  std::lock_guard lock(desktopMutex_);
  if (diameter > 0) {
    desktop_.regions[hwnd] = diameter;
  } else {
    desktop_.regions.erase(hwnd);
  }
}

int HeadlessBackend::WindowRegion(HWND hwnd) const {
  std::lock_guard lock(desktopMutex_);
  const auto it = desktop_.regions.find(hwnd);
  return it == desktop_.regions.end() ? 0 : it->second;
}

bool HeadlessBackend::SetClipboardText(std::u16string_view text) {
  std::lock_guard lock(desktopMutex_);
  desktop_.clipboard = std::u16string(text);
  return true;
}

std::optional<std::u16string> HeadlessBackend::ClipboardText() {
  std::lock_guard lock(desktopMutex_);
  return desktop_.clipboard;
}

void HeadlessBackend::ClearClipboard() {
  std::lock_guard lock(desktopMutex_);
  desktop_.clipboard.reset();
}

void HeadlessBackend::Advance(std::uint64_t milliseconds) {
  now_ += milliseconds;
  if (sink_ != nullptr) sink_->ClockMoved();
  std::lock_guard lock(waitersMutex_);
  for (HeadlessWaiter* waiter : waiters_) waiter->Wake();
}

void HeadlessBackend::SetScreen(const Rect& screen, const Rect& workArea) {
  std::lock_guard lock(desktopMutex_);
  desktop_.screen = screen;
  desktop_.workArea = workArea;
  desktop_.monitors.clear();
}

void HeadlessBackend::SetMonitors(std::vector<MonitorInfo> monitors) {
  if (monitors.empty()) return;
  // Exactly one primary, listed first, as a real desktop reports them.
  auto primary = std::find_if(monitors.begin(), monitors.end(), [](const MonitorInfo& m) { return m.primary; });
  if (primary == monitors.end()) primary = monitors.begin();
  std::rotate(monitors.begin(), primary, std::next(primary));
  for (MonitorInfo& monitor : monitors) monitor.primary = &monitor == &monitors.front();
  Rect screen;
  for (const MonitorInfo& monitor : monitors) screen = Union(screen, monitor.rect);
  std::lock_guard lock(desktopMutex_);
  desktop_.screen = screen;
  desktop_.workArea = monitors.front().workArea;
  desktop_.monitors = std::move(monitors);
}

void HeadlessBackend::SetPointer(Point screen) {
  std::lock_guard lock(desktopMutex_);
  desktop_.pointer = screen;
}

void HeadlessBackend::SetPhysicalKey(std::uint32_t vk, KeyPosition position) {
  std::lock_guard lock(desktopMutex_);
  if (position == KeyPosition::Down) {
    desktop_.keysDown.insert(vk);
  } else {
    desktop_.keysDown.erase(vk);
  }
}

void HeadlessBackend::StoreImage(HWND hwnd, const FrameSource& frame, const Rect& damage) {
  std::lock_guard lock(desktopMutex_);
  PresentedImage& kept = desktop_.images[hwnd];
  Rect copied = damage;
  if (kept.width != frame.Width() || kept.height != frame.Height()) {
    kept.width = frame.Width();
    kept.height = frame.Height();
    kept.pixels.assign(static_cast<std::size_t>(kept.width) * static_cast<std::size_t>(kept.height), 0);
    copied = Rect{0, 0, kept.width, kept.height};
  }
  frame.Convert(copied, kept.pixels.data(), kept.width);
  desktop_.presentedRects[hwnd] = copied;
  ++desktop_.presentCounts[hwnd];
}

void HeadlessBackend::Forget(HWND hwnd) {
  std::lock_guard lock(desktopMutex_);
  desktop_.images.erase(hwnd);
  desktop_.presentCounts.erase(hwnd);
  desktop_.presentedRects.erase(hwnd);
  desktop_.cursors.erase(hwnd);
  desktop_.regions.erase(hwnd);
}

std::optional<PresentedImage> HeadlessBackend::Image(HWND hwnd) const {
  std::lock_guard lock(desktopMutex_);
  const auto it = desktop_.images.find(hwnd);
  if (it == desktop_.images.end()) return std::nullopt;
  return it->second;
}

int HeadlessBackend::PresentCount(HWND hwnd) const {
  std::lock_guard lock(desktopMutex_);
  const auto it = desktop_.presentCounts.find(hwnd);
  return it == desktop_.presentCounts.end() ? 0 : it->second;
}

Rect HeadlessBackend::LastPresentedRect(HWND hwnd) const {
  std::lock_guard lock(desktopMutex_);
  const auto it = desktop_.presentedRects.find(hwnd);
  return it == desktop_.presentedRects.end() ? Rect{} : it->second;
}

void HeadlessBackend::SetWindowCursor(HWND hwnd, CursorType shape) {
  std::lock_guard lock(desktopMutex_);
  desktop_.cursors[hwnd] = shape;
}

CursorType HeadlessBackend::WindowCursor(HWND hwnd) const {
  std::lock_guard lock(desktopMutex_);
  const auto it = desktop_.cursors.find(hwnd);
  return it == desktop_.cursors.end() ? CursorType::Arrow : it->second;
}

void HeadlessBackend::ResetDesktop() {
  std::lock_guard lock(desktopMutex_);
  desktop_.screen = kDefaultScreen;
  desktop_.workArea = kDefaultScreen;
  desktop_.monitors.clear();
  desktop_.keysDown.clear();
  desktop_.clipboard.reset();
  mode_ = Headless::ClockMode::Manual;
}

void HeadlessBackend::AddWaiter(HeadlessWaiter* waiter) {
  std::lock_guard lock(waitersMutex_);
  waiters_.push_back(waiter);
}

void HeadlessBackend::RemoveWaiter(HeadlessWaiter* waiter) {
  std::lock_guard lock(waitersMutex_);
  std::erase(waiters_, waiter);
}

}  // namespace ZephUI::Backend

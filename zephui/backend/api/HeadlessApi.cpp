// The headless test interface.
#include "zephui/Headless.h"

#include <cairo.h>

#include <algorithm>
#include <vector>

#include "backend/MessagePump.h"
#include "backend/PeriodicTimerThread.h"
#include "backend/WindowAccess.h"
#include "backend/WindowTimers.h"
#include "backend/headless/HeadlessBackend.h"
#include "backend/headless/UsKeyboardLayout.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

namespace ZephUI::Headless {

using Backend::HeadlessBackend;
using Backend::NativeEvent;
using Backend::NativeEventKind;
using Backend::WindowState;
using Backend::WithState;

namespace {

// A pump that never ends means a window keeps invalidating or posting to itself.
constexpr int kPumpLimit = 100000;

HeadlessBackend* Desk() {
  Backend::NativeBackend& native = Backend::WindowSystem::Get().Native();
  return native.Kind() == BackendKind::Headless ? static_cast<HeadlessBackend*>(&native) : nullptr;
}

Backend::NativeButton ToNative(Button button) {
  switch (button) {
    case Button::Left: return Backend::NativeButton::Left;
    case Button::Right: return Backend::NativeButton::Right;
    default: return Backend::NativeButton::Middle;
  }
}

std::uint32_t ButtonVk(Button button) {
  switch (button) {
    case Button::Left: return VK_LBUTTON;
    case Button::Right: return VK_RBUTTON;
    default: return VK_MBUTTON;
  }
}

std::uint32_t Sided(std::uint32_t vk) {
  switch (vk) {
    case VK_SHIFT: return VK_LSHIFT;
    case VK_CONTROL: return VK_LCONTROL;
    case VK_MENU: return VK_LMENU;
    default: return vk;
  }
}

void DeliverPointer(HeadlessBackend& desk, NativeEventKind kind, Backend::NativeButton button, int wheel) {
  NativeEvent event;
  event.kind = kind;
  event.screen = desk.PointerPosition();
  event.hwnd = WithState([&event](WindowState& state) { return state.HitTest(event.screen); });
  event.button = button;
  event.wheelDelta = wheel;
  desk.Sink().Deliver(std::move(event));
}

void DeliverKey(HeadlessBackend& desk, NativeEventKind kind, std::uint32_t vk) {
  NativeEvent event;
  event.kind = kind;
  event.vk = Sided(vk);
  event.scanCode = vk & 0xFF;
  if (kind == NativeEventKind::KeyDown) {
    const Backend::TypingModifiers modifiers{desk.KeyPhysicallyDown(VK_SHIFT), desk.KeyPhysicallyDown(VK_CONTROL),
                                             (GetKeyState(VK_CAPITAL) & 1) != 0};
    event.text = Backend::UsKeyboardLayout::TextOf(vk, modifiers);
  }
  desk.Sink().Deliver(std::move(event));
}

void DestroyThreadWindows() {
  const std::vector<HWND> mine = WithState([](WindowState& state) {
    const auto queue = Backend::WindowSystem::Get().CurrentQueue();
    std::vector<HWND> windows;
    for (const auto& [key, record] : state.windows) {
      if (record->queue == queue && !record->IsChild()) windows.push_back(record->hwnd);
    }
    return windows;
  });
  for (HWND hwnd : mine) DestroyWindow(hwnd);
}

}  // namespace

bool IsActive() { return Desk() != nullptr; }

void Reset() {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  DestroyThreadWindows();
  Backend::WindowSystem& system = Backend::WindowSystem::Get();
  system.PeriodicTimers().StopAll();
  const auto queue = system.CurrentQueue();
  queue->Clear();
  queue->lastKeyText.clear();
  system.Keys().ReleaseAll();
  WithState([](WindowState& state) {
    state.tracking = {};
    state.lastClick = {};
    state.moveLoop.reset();
    state.lastMoveWindow = nullptr;
    state.cursor = nullptr;
    state.pointer = Point{};
    state.doubleClickTimeMs = 500;
  });
  desk->ResetDesktop();
  desk->SetPointer(Point{});
}

std::uint64_t Now() { return Desk() != nullptr ? Desk()->NowMs() : 0; }

void AdvanceClock(std::uint32_t milliseconds) {
  if (HeadlessBackend* desk = Desk()) desk->Advance(milliseconds);
}

int Pump() {
  if (Desk() == nullptr) return 0;
  int handled = 0;
  MSG msg;
  while (handled < kPumpLimit && Backend::MessagePump::Take(msg, Backend::WaitMode::NoWait)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the loop that owns it
      break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    ++handled;
  }
  return handled;
}

int RunFor(std::uint32_t milliseconds) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return 0;
  const std::uint64_t end = desk->NowMs() + milliseconds;
  int handled = Pump();
  for (;;) {
    Backend::WindowSystem& system = Backend::WindowSystem::Get();
    std::optional<std::uint64_t> next = Backend::WindowTimers::NextDue(*system.CurrentQueue());
    if (const auto periodic = system.PeriodicTimers().NextDue()) next = next ? std::min(*next, *periodic) : *periodic;
    const std::uint64_t step = next && *next < end ? *next : end;
    if (step > desk->NowMs()) desk->Advance(step - desk->NowMs());
    handled += Pump();
    if (step >= end) return handled;
  }
}

void SetClockMode(ClockMode mode) {
  if (HeadlessBackend* desk = Desk()) desk->SetMode(mode);
}

void SetScreen(const Rect& screen, const Rect& workArea) {
  if (HeadlessBackend* desk = Desk()) desk->SetScreen(screen, workArea);
}

void SetMonitors(const std::vector<MonitorInfo>& monitors) {
  if (HeadlessBackend* desk = Desk()) desk->SetMonitors(monitors);
}

void MoveMouse(Point screen) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  desk->SetPointer(screen);
  DeliverPointer(*desk, NativeEventKind::PointerMove, Backend::NativeButton::Left, 0);
}

void MoveMouseToClient(HWND hwnd, int x, int y) {
  Point point{x, y};
  if (ClientToScreen(hwnd, point)) MoveMouse(point);
}

void ButtonDown(Button button) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  desk->SetPhysicalKey(ButtonVk(button), Backend::KeyPosition::Down);
  DeliverPointer(*desk, NativeEventKind::ButtonDown, ToNative(button), 0);
}

void ButtonUp(Button button) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  desk->SetPhysicalKey(ButtonVk(button), Backend::KeyPosition::Up);
  DeliverPointer(*desk, NativeEventKind::ButtonUp, ToNative(button), 0);
}

void ClickClient(HWND hwnd, int x, int y, Button button) {
  MoveMouseToClient(hwnd, x, y);
  ButtonDown(button);
  ButtonUp(button);
}

void Wheel(int delta) {
  if (HeadlessBackend* desk = Desk()) DeliverPointer(*desk, NativeEventKind::Wheel, Backend::NativeButton::Left, delta);
}

void KeyDown(std::uint32_t vk) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  desk->SetPhysicalKey(Sided(vk), Backend::KeyPosition::Down);
  DeliverKey(*desk, NativeEventKind::KeyDown, vk);
}

void KeyUp(std::uint32_t vk) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  desk->SetPhysicalKey(Sided(vk), Backend::KeyPosition::Up);
  DeliverKey(*desk, NativeEventKind::KeyUp, vk);
}

void PressKey(std::uint32_t vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void TypeText(std::u16string_view text) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr || text.empty()) return;
  NativeEvent event;
  event.kind = NativeEventKind::Text;
  event.text = std::u16string(text);
  desk->Sink().Deliver(std::move(event));
}

void ActivateOtherProgram() {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  NativeEvent event;
  event.kind = NativeEventKind::Deactivated;
  desk->Sink().Deliver(std::move(event));
}

void RequestClose(HWND hwnd) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return;
  NativeEvent event;
  event.kind = NativeEventKind::CloseRequested;
  event.hwnd = hwnd;
  desk->Sink().Deliver(std::move(event));
}

bool WritePng(HWND hwnd, const std::string& path) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr || !IsWindow(hwnd)) return false;
  Backend::PresentedImage image = desk->Image(hwnd).value_or(Backend::PresentedImage{});
  if (image.pixels.empty()) {
    Rect client;
    GetClientRect(hwnd, client);
    image.width = std::max(client.Width(), 1);
    image.height = std::max(client.Height(), 1);
    image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
  }
  cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(image.pixels.data()),
                                                                 CAIRO_FORMAT_ARGB32, image.width, image.height, image.width * 4);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

ArgbColor PresentedPixel(HWND hwnd, int x, int y) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return ArgbColor{};
  const auto image = desk->Image(hwnd);
  if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height) return ArgbColor{};
  return ArgbColor(image->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image->width) + static_cast<std::size_t>(x)]);
}

std::vector<std::uint32_t> PresentedPixels(HWND hwnd) {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return {};
  auto image = desk->Image(hwnd);
  return image ? std::move(image->pixels) : std::vector<std::uint32_t>{};
}

int PresentCount(HWND hwnd) { return Desk() != nullptr ? Desk()->PresentCount(hwnd) : 0; }

Rect LastPresentedRect(HWND hwnd) { return Desk() != nullptr ? Desk()->LastPresentedRect(hwnd) : Rect{}; }

CursorType CurrentCursor() {
  HeadlessBackend* desk = Desk();
  if (desk == nullptr) return CursorType::Arrow;
  const HWND under = WindowFromPoint(desk->PointerPosition());
  return under != nullptr ? desk->WindowCursor(under) : CursorType::Arrow;
}

}  // namespace ZephUI::Headless

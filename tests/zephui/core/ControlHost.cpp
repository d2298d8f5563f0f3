#include "tests/zephui/core/ControlHost.h"

#include "zephui/Backend.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace controltest {

LRESULT Face::OnBaseMessage(std::uint32_t id, UINT code, WPARAM wParam, LPARAM lParam) {
  notes.push_back(Note{id, code, wParam, lParam});
  if (onNote) onNote(notes.back());
  return 0;
}

LRESULT Face::OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) {
  return manager_.OnControlUpdate(rect, reset, control);
}

Host::Host(const Rect& screen, std::uint32_t exStyle)
    : manager(std::make_unique<PaintManager>(nullptr)), face(std::make_unique<Face>(*manager)) {
  if (!IsWindowClassRegistered(u"ControlHost")) RegisterWindowClass(u"ControlHost", CS_DBLCLKS);
  hwnd = CreateWindowEx(exStyle, u"ControlHost", u"", WS_POPUP | WS_VISIBLE, screen.left, screen.top, screen.Width(),
                        screen.Height(), nullptr, this);
  manager->Init(hwnd, nullptr);
}

Host::~Host() {
  Destroy();
  manager.reset();
}

void Host::Destroy() {
  if (hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
  hwnd = nullptr;
}

LRESULT Host::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PaintManager::DispatchScope scope(manager.get());
  if (const LRESULT result = manager->OnWindowMessage(message, wParam, lParam); result != 0) return result;
  if (auto it = handlers.find(message); it != handlers.end()) return it->second();
  return DefWindowProc(window, message, wParam, lParam);
}

ColourControl* Host::AddColour(std::uint32_t id, const Rect& rect, int kind, ArgbColor colour) {
  auto control = std::make_unique<ColourControl>(face.get(), id, rect, colour);
  return static_cast<ColourControl*>(manager->AddControl(std::move(control), kind));
}

ColourPanel* Host::AddPanel(std::uint32_t id, const Rect& rect) {
  return static_cast<ColourPanel*>(manager->AddControl(std::make_unique<ColourPanel>(face.get(), id, rect), 1));
}

void Host::PumpTranslated() {
  MSG msg;
  while (PeekMessage(msg)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (manager->PreTranslateMessage(msg)) continue;
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
}

void ControlFixture::SetUp() {
  ASSERT_TRUE(SelectBackend(BackendKind::Headless));
  Headless::Reset();
  RegisterTestClasses();
}

void ControlFixture::TearDown() {
  host_.reset();
  Headless::Reset();
}

Host& ControlFixture::MakeHost(int width, int height, std::uint32_t exStyle) {
  host_ = std::make_unique<Host>(Rect{100, 100, 100 + width, 100 + height}, exStyle);
  Headless::Pump();
  return *host_;
}

void ControlFixture::Settle() {
  Headless::RunFor(20);
}

}  // namespace controltest

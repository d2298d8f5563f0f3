#include "backend/x11/X11Backend.h"

#include <unistd.h>

#include <chrono>
#include <thread>
#include <string>

#include "backend/EventSink.h"
#include "zephui/Text.h"
#include "zephui/VirtualKeys.h"

#include "backend/x11/X11Clipboard.h"
#include "backend/x11/X11Connection.h"
#include "backend/x11/X11EventTranslator.h"
#include "backend/x11/X11InputMethod.h"
#include "backend/x11/X11KeyboardGrab.h"
#include "backend/x11/X11Keymap.h"
#include "backend/x11/X11Monitors.h"
#include "backend/x11/X11Painter.h"
#include "backend/x11/X11Shape.h"
#include "backend/x11/X11Waiter.h"
#include "backend/x11/X11Window.h"

#include <X11/Xatom.h>

namespace ZephUI::Backend {
namespace {

bool HasProperty(Display* display, Window window, Atom atom) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, atom, 0, 1, 0, AnyPropertyType, &type, &format, &count, &remaining, &data) != 0) return false;
  if (data != nullptr) XFree(data);
  return type != None;
}

std::vector<Window> Children(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* list = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &list, &count) == 0) return {};
  std::vector<Window> children(list, list + count);
  if (list != nullptr) XFree(list);
  return children;
}

// Top-level windows of other processes: children of the root, and the children of those
// (a window manager puts client windows inside frames).
std::uint64_t Search(X11Connection& c, Atom atom) {
  for (Window top : Children(c.display, c.root)) {
    if (!c.windows.contains(top) && HasProperty(c.display, top, atom)) return top;
    for (Window inner : Children(c.display, top)) {
      if (!c.windows.contains(inner) && HasProperty(c.display, inner, atom)) return inner;
    }
  }
  return 0;
}

// The program's loops were asked to quit; should one of them never come back to its loop, the
// process still ends rather than stay behind without a display.
void StartLastResort() {
  std::thread([] {
    std::this_thread::sleep_for(std::chrono::seconds(10));
    _exit(0);
  }).detach();
}

}  // namespace

std::unique_ptr<X11Backend> X11Backend::Open() {
  auto connection = X11Connection::Open();
  if (!connection) return nullptr;
  return std::unique_ptr<X11Backend>(new X11Backend(std::move(connection)));
}

X11Backend::X11Backend(std::unique_ptr<X11Connection> connection)
    : connection_(std::move(connection)),
      clipboard_(std::make_unique<X11Clipboard>(*connection_)),
      keyboardGrab_(std::make_unique<X11KeyboardGrab>()) {}

X11Backend::~X11Backend() = default;

std::uint64_t X11Backend::NowMs() const {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::unique_ptr<NativeWaiter> X11Backend::CreateWaiter() { return std::make_unique<X11Waiter>(*this); }

std::unique_ptr<NativeWindow> X11Backend::CreateWindow(const NativeWindowSpec& spec) {
  return std::make_unique<X11Window>(*connection_, spec);
}

Rect X11Backend::ScreenRect() const {
  return connection_->With([](X11Connection& c) { return X11Monitors::Screen(c); });
}

bool X11Backend::Compositing() const {
  return connection_->With([](X11Connection& c) { return c.compositing; });
}

Rect X11Backend::WorkArea() const {
  return connection_->With([](X11Connection& c) { return X11Monitors::NetWorkArea(c).value_or(X11Monitors::Screen(c)); });
}

std::vector<MonitorInfo> X11Backend::Monitors() const {
  return connection_->With([](X11Connection& c) { return X11Monitors::Query(c); });
}

Point X11Backend::PointerPosition() const {
  return connection_->With([](X11Connection& c) {
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int winX = 0;
    int winY = 0;
    unsigned int mask = 0;
    XQueryPointer(c.display, c.root, &root, &child, &x, &y, &winX, &winY, &mask);
    return Point{x, y};
  });
}

bool X11Backend::HoldsFocus(HWND hwnd) {
  return connection_->With([hwnd](X11Connection& c) {
    const auto focused = X11Painter::FocusedWindow(c);
    if (!focused) return false;
    const auto it = c.windows.find(*focused);
    return it != c.windows.end() && it->second.hwnd == hwnd;
  });
}

bool X11Backend::FocusIsElsewhere() {
  return connection_->With([](X11Connection& c) {
    const auto focused = X11Painter::FocusedWindow(c);
    return focused && !c.windows.contains(*focused);
  });
}

bool X11Backend::KeyPhysicallyDown(std::uint32_t vk) const {
  return connection_->With([vk](X11Connection& c) {
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON) {
      Window root = 0;
      Window child = 0;
      int x = 0, y = 0, winX = 0, winY = 0;
      unsigned int mask = 0;
      XQueryPointer(c.display, c.root, &root, &child, &x, &y, &winX, &winY, &mask);
      const unsigned int bit = vk == VK_LBUTTON ? Button1Mask : vk == VK_RBUTTON ? Button3Mask : Button2Mask;
      return (mask & bit) != 0;
    }
    char keys[32];
    XQueryKeymap(c.display, keys);
    for (KeySym sym : X11Keymap::KeysymsOf(vk)) {
      const KeyCode code = XKeysymToKeycode(c.display, sym);
      if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0) return true;
    }
    return false;
  });
}

void X11Backend::SetWindowRegion(HWND hwnd, int diameter) {
  connection_->With([hwnd, diameter](X11Connection& c) {
    const Window window = c.WindowOf(hwnd);
    if (window == 0) return;
    X11WindowInfo& info = c.windows[window];
    info.regionDiameter = diameter;
    info.alphaShaped = false;  // the next image cuts its own shape again when the region goes
    X11Shape::SetRound(c, window, info.width, info.height, diameter);
    XFlush(c.display);
  });
}

int X11Backend::WindowRegion(HWND hwnd) const {
  return connection_->With([hwnd](X11Connection& c) {
    const Window window = c.WindowOf(hwnd);
    return window != 0 ? c.windows[window].regionDiameter : 0;
  });
}

bool X11Backend::SetClipboardText(std::u16string_view text) { return clipboard_->Set(text); }

std::optional<std::u16string> X11Backend::ClipboardText() { return clipboard_->Get(); }

void X11Backend::ClearClipboard() { clipboard_->Clear(); }

std::uint64_t X11Backend::FindForeignWindow(std::u16string_view name) {
  const std::string atomName = ToUtf8(name);
  return connection_->With([&atomName](X11Connection& c) -> std::uint64_t {
    const Atom atom = XInternAtom(c.display, atomName.c_str(), 1);
    return atom == None ? 0 : Search(c, atom);
  });
}

std::intptr_t X11Backend::ForeignProperty(std::uint64_t foreignId, std::u16string_view name) {
  const std::string atomName = ToUtf8(name);
  return connection_->With([&atomName, foreignId](X11Connection& c) -> std::intptr_t {
    const Atom atom = XInternAtom(c.display, atomName.c_str(), 1);
    if (atom == None) return 0;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(c.display, static_cast<Window>(foreignId), atom, 0, 1, 0, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) != 0 || data == nullptr) {
      return 0;
    }
    const std::intptr_t value = count > 0 && format == 32 ? reinterpret_cast<const long*>(data)[0] : 0;
    XFree(data);
    return value;
  });
}

bool X11Backend::PostForeign(std::uint64_t foreignId, UINT message, WPARAM wParam, LPARAM lParam) {
  return connection_->With([=](X11Connection& c) {
    const auto lp = static_cast<std::uint64_t>(lParam);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(foreignId);
    event.xclient.message_type = c.atoms.message;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(message);
    event.xclient.data.l[1] = static_cast<long>(wParam & 0xFFFFFFFFu);
    event.xclient.data.l[2] = static_cast<long>(wParam >> 32);
    event.xclient.data.l[3] = static_cast<long>(lp & 0xFFFFFFFFu);
    event.xclient.data.l[4] = static_cast<long>(lp >> 32);
    X11Connection::TakeLastError();
    XSendEvent(c.display, static_cast<Window>(foreignId), 0, NoEventMask, &event);
    XSync(c.display, 0);
    return X11Connection::TakeLastError() == 0;
  });
}

bool X11Backend::DrainEvents() {
  connection_->ClearQueuedSignal();
  X11Output out;
  connection_->With([this, &out](X11Connection& c) {
    while (XPending(c.display) > 0) {
      XEvent event;
      XNextEvent(c.display, &event);
      if (keyboardGrab_->Take(event, out)) continue;  // grabbed keys belong to the grab, not the input method
      if (event.type == KeyPress) X11InputMethod::ContextFor(c, event.xkey.window);  // a focused child composes in its own
      if (XFilterEvent(&event, None) != 0) continue;  // the input method took it
      if (clipboard_->Handle(event)) continue;
      X11EventTranslator::Translate(c, event, out);
    }
  });
  if (sink_ == nullptr) return false;
  if (X11Connection::Lost() && !lostReported_.exchange(true)) {
    sink_->DisplayLost();
    StartLastResort();
    return true;
  }
  for (NativeEvent& event : out.events) sink_->Deliver(std::move(event));
  for (const MSG& msg : out.messages) sink_->DeliverMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  return !out.events.empty() || !out.messages.empty();
}

int X11Backend::ConnectionFd() const { return X11Connection::Lost() ? -1 : ConnectionNumber(connection_->display); }

int X11Backend::PendingFd() const { return connection_->pendingFd; }

bool X11Backend::GrabKeyboard(HWND owner, UINT message) {
  return connection_->With([&](X11Connection& c) { return keyboardGrab_->Grab(c, owner, message); });
}

void X11Backend::UngrabKeyboard() {
  connection_->With([this](X11Connection& c) { keyboardGrab_->Ungrab(c); });
}

void X11Backend::SetInputSpot(HWND hwnd, Point client) {
  connection_->With([hwnd, client](X11Connection& c) {
    const auto it = c.windows.find(c.WindowOf(hwnd));
    if (it != c.windows.end()) X11InputMethod::MoveSpot(X11InputMethod::ContextFor(c, it->first), client);
  });
}

}  // namespace ZephUI::Backend

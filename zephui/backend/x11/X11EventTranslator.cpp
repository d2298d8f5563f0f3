#include "backend/x11/X11EventTranslator.h"

#include <string>

#include "zephui/Text.h"

#include "backend/x11/X11Keymap.h"
#include "backend/x11/X11Painter.h"
#include "backend/x11/X11Shape.h"
#include "backend/x11/X11Stacking.h"
#include "backend/x11/X11WindowPresenter.h"

#include <X11/Xatom.h>

namespace ZephUI::Backend {
namespace {

constexpr int kWheelUp = 4;
constexpr int kWheelDown = 5;
constexpr int kWheelNotch = 120;
constexpr long kIconicState = 3;
constexpr long kNormalState = 1;
// X keycodes are evdev codes plus 8; evdev codes match the set-1 scan codes for the main block.
constexpr unsigned kKeycodeOffset = 8;

NativeEvent Make(NativeEventKind kind, HWND hwnd) {
  NativeEvent event;
  event.kind = kind;
  event.hwnd = hwnd;
  return event;
}

NativeEvent Pointer(NativeEventKind kind, HWND hwnd, int xRoot, int yRoot) {
  NativeEvent event = Make(kind, hwnd);
  event.screen = Point{xRoot, yRoot};
  return event;
}

std::u16string LookupText(const X11WindowInfo& info, XKeyEvent& event) {
  char buffer[64];
  KeySym keysym = 0;
  std::u16string text;
  if (info.inputContext != nullptr) {
    Status status = 0;
    int length = Xutf8LookupString(info.inputContext, &event, buffer, sizeof buffer, &keysym, &status);
    if (status == XBufferOverflow) {
      std::string big(static_cast<std::size_t>(length), '\0');
      length = Xutf8LookupString(info.inputContext, &event, big.data(), length, &keysym, &status);
      text = ToUtf16(big.substr(0, static_cast<std::size_t>(std::max(length, 0))));
    } else if (status == XLookupChars || status == XLookupBoth) {
      text = ToUtf16(std::string(buffer, static_cast<std::size_t>(length)));
    }
  } else {
    const int length = XLookupString(&event, buffer, sizeof buffer, &keysym, nullptr);
    for (int i = 0; i < length; ++i) text.push_back(static_cast<unsigned char>(buffer[i]));  // Latin-1
  }
  std::erase(text, u'\x7f');  // Delete types nothing
  return text;
}

}  // namespace

void X11EventTranslator::Key(X11Connection&, XKeyEvent& event, const X11WindowInfo& info, X11Output& out) {
  const bool press = event.type == KeyPress;
  const std::u16string text = press ? LookupText(info, event) : std::u16string();
  const std::uint32_t vk = event.keycode != 0 ? X11Keymap::VirtualKeyOf(event) : 0;
  if (vk == 0) {
    // An input method commits text with a key event of its own.
    if (!text.empty()) {
      NativeEvent committed = Make(NativeEventKind::Text, nullptr);
      committed.text = text;
      out.events.push_back(std::move(committed));
    }
    return;
  }
  NativeEvent key = Make(press ? NativeEventKind::KeyDown : NativeEventKind::KeyUp, nullptr);
  key.vk = vk;
  key.scanCode = event.keycode >= kKeycodeOffset ? (event.keycode - kKeycodeOffset) & 0xFF : 0;
  key.text = text;
  out.events.push_back(std::move(key));
}

void X11EventTranslator::Button(const XButtonEvent& event, const X11WindowInfo& info, X11Output& out) {
  const bool press = event.type == ButtonPress;
  if (event.button == kWheelUp || event.button == kWheelDown) {
    if (!press) return;
    NativeEvent wheel = Pointer(NativeEventKind::Wheel, info.hwnd, event.x_root, event.y_root);
    wheel.wheelDelta = event.button == kWheelUp ? kWheelNotch : -kWheelNotch;
    out.events.push_back(std::move(wheel));
    return;
  }
  NativeButton button = NativeButton::Left;
  if (event.button == Button2) button = NativeButton::Middle;
  else if (event.button == Button3) button = NativeButton::Right;
  else if (event.button != Button1) return;
  NativeEvent click = Pointer(press ? NativeEventKind::ButtonDown : NativeEventKind::ButtonUp, info.hwnd, event.x_root, event.y_root);
  click.button = button;
  out.events.push_back(std::move(click));
}

void X11EventTranslator::Focus(const XFocusChangeEvent& event, X11WindowInfo& info, X11Output& out) {
  if (event.mode == NotifyGrab || event.mode == NotifyUngrab || event.detail == NotifyPointer || event.detail == NotifyInferior) return;
  // Whether the change still holds is asked when the event is handled (HoldsFocus, FocusIsElsewhere).
  if (event.type == FocusIn) {
    if (info.inputContext != nullptr) XSetICFocus(info.inputContext);
    out.events.push_back(Make(NativeEventKind::Activated, info.hwnd));
    return;
  }
  if (info.inputContext != nullptr) XUnsetICFocus(info.inputContext);
  out.events.push_back(Make(NativeEventKind::Deactivated, nullptr));
}

void X11EventTranslator::Configure(X11Connection& c, const XConfigureEvent& event, const X11WindowInfo& info, X11Output& out) {
  // Popups and children move only when we move them; only the window manager's moves are news.
  if (info.child || info.overrideRedirect) return;
  int x = 0;
  int y = 0;
  Window ignored = 0;
  XTranslateCoordinates(c.display, event.window, c.root, 0, 0, &x, &y, &ignored);
  NativeEvent configured = Make(NativeEventKind::Configured, info.hwnd);
  configured.rect = Rect{x, y, x + event.width, y + event.height};
  out.events.push_back(std::move(configured));
}

void X11EventTranslator::Property(X11Connection& c, const XPropertyEvent& event, const X11WindowInfo& info, X11Output& out) {
  if (event.atom != c.atoms.wmState || event.state != PropertyNewValue) return;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(c.display, event.window, c.atoms.wmState, 0, 1, 0, c.atoms.wmState, &type, &format, &count,
                         &remaining, &data) != 0 || data == nullptr) {
    return;
  }
  const long state = count > 0 ? reinterpret_cast<const long*>(data)[0] : 0;
  XFree(data);
  if (state == kIconicState) out.events.push_back(Make(NativeEventKind::Minimized, info.hwnd));
  if (state == kNormalState) out.events.push_back(Make(NativeEventKind::Restored, info.hwnd));
}

void X11EventTranslator::Client(X11Connection& c, const XClientMessageEvent& event, const X11WindowInfo& info, X11Output& out) {
  if (event.message_type == c.atoms.wmProtocols && static_cast<Atom>(event.data.l[0]) == c.atoms.wmDeleteWindow) {
    out.events.push_back(Make(NativeEventKind::CloseRequested, info.hwnd));
    return;
  }
  if (event.message_type != c.atoms.message || event.format != 32) return;
  // 32-bit words on the wire: message, wParam low and high, lParam low and high.
  const auto word = [&event](int i) { return static_cast<std::uint64_t>(event.data.l[i]) & 0xFFFFFFFFu; };
  MSG msg;
  msg.hwnd = info.hwnd;
  msg.message = static_cast<UINT>(word(0));
  msg.wParam = word(1) | (word(2) << 32);
  msg.lParam = static_cast<LPARAM>(word(3) | (word(4) << 32));
  out.messages.push_back(msg);
}

void X11EventTranslator::Exposure(const XExposeEvent& event, const X11WindowInfo& info, X11Output& out) {
  const Rect area{event.x, event.y, event.x + event.width, event.y + event.height};
  if (info.presenter != nullptr && info.presenter->Repaint(area)) return;  // what was shown last is still right
  NativeEvent exposed = Make(NativeEventKind::Exposed, info.hwnd);
  exposed.rect = area;
  out.events.push_back(std::move(exposed));
}

// Layered windows change look with the compositor: the shadow comes or goes, corners are cut
// from the alpha or shown see-through. Every top-level window hears of it and is drawn again.
void X11EventTranslator::Compositor(X11Connection& c, X11Output& out) {
  const bool now = XGetSelectionOwner(c.display, c.atoms.cmSelection) != None;
  if (now == c.compositing) return;
  c.compositing = now;
  for (auto& [window, info] : c.windows) {
    if (info.child) continue;
    if (now && info.alphaShaped) X11Shape::SetRound(c, window, info.width, info.height, info.regionDiameter);
    info.alphaShaped = false;
    out.events.push_back(Make(NativeEventKind::CompositionChanged, info.hwnd));
    NativeEvent exposed = Make(NativeEventKind::Exposed, info.hwnd);
    exposed.rect = Rect{0, 0, info.width, info.height};
    out.events.push_back(std::move(exposed));
  }
}

void X11EventTranslator::Translate(X11Connection& c, XEvent& event, X11Output& out) {
  if (event.type == MappingNotify) {
    XRefreshKeyboardMapping(&event.xmapping);
    return;
  }
  if (event.type == c.extensions.fixesSelection) {
    Compositor(c, out);
    return;
  }
  if (c.rootWatched) X11Stacking::Follow(c, event);
  const auto it = c.windows.find(event.xany.window);
  if (it == c.windows.end()) return;
  X11WindowInfo& info = it->second;
  if (event.type == c.extensions.shmCompletion) {
    if (info.presenter != nullptr) info.presenter->Completed(reinterpret_cast<const XShmCompletionEvent&>(event).shmseg);
    return;
  }
  switch (event.type) {
    case KeyPress:
    case KeyRelease: Key(c, event.xkey, info, out); break;
    case ButtonPress:
    case ButtonRelease: Button(event.xbutton, info, out); break;
    case MotionNotify:
      out.events.push_back(Pointer(NativeEventKind::PointerMove, info.hwnd, event.xmotion.x_root, event.xmotion.y_root));
      break;
    case EnterNotify:
      if (event.xcrossing.mode == NotifyNormal) {
        out.events.push_back(Pointer(NativeEventKind::PointerMove, info.hwnd, event.xcrossing.x_root, event.xcrossing.y_root));
      }
      break;
    case LeaveNotify:
      if (event.xcrossing.mode == NotifyNormal) out.events.push_back(Make(NativeEventKind::PointerLeft, info.hwnd));
      break;
    case FocusIn:
    case FocusOut: Focus(event.xfocus, info, out); break;
    case ConfigureNotify: Configure(c, event.xconfigure, info, out); break;
    case PropertyNotify: Property(c, event.xproperty, info, out); break;
    case ClientMessage: Client(c, event.xclient, info, out); break;
    case Expose: Exposure(event.xexpose, info, out); break;
    case MapNotify:
      info.mapped = true;
      if (info.focusWanted) X11Painter::Focus(c, event.xmap.window);
      info.focusWanted = false;
      break;
    case UnmapNotify: info.mapped = false; break;
    default: break;
  }
}

}  // namespace ZephUI::Backend

#include "backend/x11/X11Connection.h"
#include "backend/x11/X11InputMethod.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <string>

namespace ZephUI::Backend {
namespace {

std::atomic<int> lastError{0};
std::atomic<bool> displayLost{false};

// Requests on windows that just went away fail harmlessly; never end the process for them.
int RecordError(Display*, XErrorEvent* error) {
  lastError = error->error_code;
  return 0;
}

// The server is gone. Only a flag is set here: this runs inside an Xlib call made under the
// connection lock, so anything that takes that lock (or exits and cleans up) would wait on itself.
int ConnectionLost(Display*) {
  displayLost = true;
  return 0;
}

// Returning instead of exiting: the waiting threads see the flag and end the program's loops.
void KeepRunning(Display*, void*) {}

Atom ScreenAtom(Display* display, const char* prefix, int screen) {
  return XInternAtom(display, (std::string(prefix) + std::to_string(screen)).c_str(), 0);
}

void WatchCompositor(X11Connection& c) {
  c.atoms.cmSelection = ScreenAtom(c.display, "_NET_WM_CM_S", c.screen);
  c.atoms.wmSelection = ScreenAtom(c.display, "WM_S", c.screen);
  c.compositing = XGetSelectionOwner(c.display, c.atoms.cmSelection) != None;
  if (c.extensions.fixesSelection < 0) return;
  XFixesSelectSelectionInput(c.display, c.root, c.atoms.cmSelection,
                             XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                 XFixesSelectionClientCloseNotifyMask);
}

unsigned int FontShape(CursorType shape) {
  switch (shape) {
    case CursorType::Hand: return XC_hand2;
    case CursorType::IBeam: return XC_xterm;
    case CursorType::Wait: return XC_watch;
    case CursorType::Cross: return XC_crosshair;
    case CursorType::SizeWE: return XC_sb_h_double_arrow;
    case CursorType::SizeNS: return XC_sb_v_double_arrow;
    case CursorType::SizeNWSE: return XC_bottom_right_corner;
    case CursorType::SizeNESW: return XC_bottom_left_corner;
    case CursorType::SizeAll: return XC_fleur;
    case CursorType::Help: return XC_question_arrow;
    case CursorType::No: return XC_X_cursor;
    default: return XC_left_ptr;
  }
}

void ChooseVisual(X11Connection& c) {
  XVisualInfo info;
  if (XMatchVisualInfo(c.display, c.screen, 32, TrueColor, &info) != 0) {
    c.visual = info.visual;
    c.depth = 32;
  } else {
    c.visual = DefaultVisual(c.display, c.screen);
    c.depth = DefaultDepth(c.display, c.screen);
  }
  c.colormap = XCreateColormap(c.display, c.root, c.visual, AllocNone);
}

}  // namespace

std::unique_ptr<X11Connection> X11Connection::Open() {
  XInitThreads();
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  XSetErrorHandler(RecordError);
  XSetIOErrorHandler(ConnectionLost);
  XSetIOErrorExitHandler(display, KeepRunning, nullptr);
  std::unique_ptr<X11Connection> c(new X11Connection);
  c->display = display;
  c->screen = DefaultScreen(display);
  c->root = RootWindow(display, c->screen);
  ChooseVisual(*c);
  c->atoms.Intern(display);
  c->extensions.Query(display);
  WatchCompositor(*c);
  int detectable = 0;
  XkbSetDetectableAutoRepeat(display, 1, &detectable);  // held keys repeat presses only
  X11InputMethod::PrepareLocale();  // the method itself opens at the first key or caret
  c->pendingFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  return c;
}

X11Connection::~X11Connection() {
  if (Lost()) {
    XCloseDisplay(display);  // frees what the connection holds; the server's side is gone already
    if (pendingFd >= 0) close(pendingFd);
    return;
  }
  for (const auto& [shape, cursor] : cursors_) XFreeCursor(display, cursor);
  if (inputMethod != nullptr) XCloseIM(inputMethod);
  XFreeColormap(display, colormap);
  XCloseDisplay(display);
  if (pendingFd >= 0) close(pendingFd);
}

Cursor X11Connection::FontCursor(CursorType shape) {
  const auto it = cursors_.find(shape);
  if (it != cursors_.end()) return it->second;
  const Cursor cursor = XCreateFontCursor(display, FontShape(shape));
  cursors_.emplace(shape, cursor);
  return cursor;
}

Window X11Connection::WindowOf(HWND hwnd) const {
  for (const auto& [window, info] : windows) {
    if (info.hwnd == hwnd) return window;
  }
  return 0;
}

bool X11Connection::WindowManagerMoves() {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, root, atoms.netSupported, 0, 4096, 0, XA_ATOM, &type, &format, &count, &remaining,
                         &data) != 0 || data == nullptr) {
    return false;
  }
  bool found = false;
  const auto* list = reinterpret_cast<const Atom*>(data);
  for (unsigned long i = 0; i < count && !found; ++i) found = list[i] == atoms.netWmMoveResize;
  XFree(data);
  return found;
}

bool X11Connection::WindowManagerRuns() { return XGetSelectionOwner(display, atoms.wmSelection) != None; }

bool X11Connection::Lost() { return displayLost.load(); }

int X11Connection::TakeLastError() { return lastError.exchange(0); }

void X11Connection::SignalQueuedEvents() {
  if (pendingFd < 0 || Lost() || XEventsQueued(display, QueuedAlready) == 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = write(pendingFd, &one, sizeof one);
}

void X11Connection::ClearQueuedSignal() {
  std::uint64_t count = 0;
  [[maybe_unused]] const auto got = ::read(pendingFd, &count, sizeof count);
}

}  // namespace ZephUI::Backend

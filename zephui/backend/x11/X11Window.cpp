#include "backend/x11/X11Window.h"

#include <unistd.h>

#include <algorithm>
#include <utility>
#include <cctype>
#include <string>
#include <vector>

#include "backend/WindowAccess.h"
#include "backend/x11/X11Connection.h"
#include "backend/x11/X11Painter.h"
#include "backend/x11/X11Shape.h"
#include "backend/x11/X11Stacking.h"
#include "backend/x11/X11WindowPresenter.h"
#include "zephui/Text.h"
#include "zephui/WindowStyles.h"

#include <X11/Xatom.h>

namespace ZephUI::Backend {
namespace {

constexpr long kEventMask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                            StructureNotifyMask | PropertyChangeMask;
constexpr long kMoveResizeMove = 8;  // _NET_WM_MOVERESIZE_MOVE
constexpr long kSourceApplication = 1;

// WS_EX_TRANSPARENT lives in the core's record; read without the connection lock held.
bool WantsClickThrough(HWND hwnd) {
  return WithWindow<bool>(hwnd, false, [](WindowRecord& r) { return (r.exStyle & WS_EX_TRANSPARENT) != 0; });
}

void SetAtomList(X11Connection& c, Window w, Atom property, const std::vector<Atom>& atoms) {
  XChangeProperty(c.display, w, property, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
}

void SetUtf8(X11Connection& c, Window w, Atom property, const std::string& text) {
  XChangeProperty(c.display, w, property, c.atoms.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
}

// Undecorated: the window draws its own caption and frame.
void RemoveDecorations(X11Connection& c, Window w) {
  const long hints[5] = {2, 0, 0, 0, 0};  // flags: decorations; decorations: none
  XChangeProperty(c.display, w, c.atoms.motifWmHints, c.atoms.motifWmHints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
}

bool LeftButtonDown(X11Connection& c) {
  Window root = 0;
  Window child = 0;
  int x = 0, y = 0, winX = 0, winY = 0;
  unsigned int mask = 0;
  XQueryPointer(c.display, c.root, &root, &child, &x, &y, &winX, &winY, &mask);
  return (mask & Button1Mask) != 0;
}

// Asked of the server: a reparenting window manager unmaps and maps the window on its own.
bool MappedNow(X11Connection& c, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(c.display, window, &attributes) != 0 && attributes.map_state != IsUnmapped;
}

}  // namespace

X11Window::X11Window(X11Connection& connection, const NativeWindowSpec& spec)
    : connection_(connection), hwnd_(spec.hwnd), owner_(spec.parent), role_(spec.role), stacking_(spec.stacking),
      rect_(spec.rect) {
  Create(spec);
  SyncClickThrough();
}

X11Window::~X11Window() {
  connection_.Free([this](X11Connection& c) {
    presenter_->Release();
    const auto it = c.windows.find(window_);
    if (it != c.windows.end()) {
      if (it->second.inputContext != nullptr) XDestroyIC(it->second.inputContext);
      XFreeGC(c.display, it->second.gc);
      c.windows.erase(it);
    }
    XDestroyWindow(c.display, window_);
    XFlush(c.display);
  });
}

void X11Window::Create(const NativeWindowSpec& spec) {
  connection_.With([this, &spec](X11Connection& c) {
    const bool child = spec.role == WindowRole::Child;
    const bool popup = IsUnmanaged(spec.role);
    parentWindow_ = child ? c.WindowOf(spec.parent) : 0;
    XSetWindowAttributes attributes{};
    attributes.colormap = c.colormap;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;
    attributes.override_redirect = popup ? 1 : 0;
    attributes.event_mask = kEventMask;
    const unsigned long mask = CWColormap | CWBorderPixel | CWBackPixmap | CWOverrideRedirect | CWEventMask;
    window_ = XCreateWindow(c.display, parentWindow_ != 0 ? parentWindow_ : c.root, spec.rect.left, spec.rect.top,
                            static_cast<unsigned>(std::max(spec.rect.Width(), 1)),
                            static_cast<unsigned>(std::max(spec.rect.Height(), 1)), 0, c.depth, InputOutput, c.visual,
                            mask, &attributes);
    X11WindowInfo info;
    info.hwnd = spec.hwnd;
    info.gc = XCreateGC(c.display, window_, 0, nullptr);
    presenter_ = std::make_unique<X11WindowPresenter>(c, window_, info.gc);
    info.presenter = presenter_.get();
    info.width = std::max(spec.rect.Width(), 1);
    info.height = std::max(spec.rect.Height(), 1);
    info.overrideRedirect = popup;
    info.child = child;
    c.windows.emplace(window_, std::move(info));
    if (!child) {
      SetIdentity(spec);
      SetRoleHints();
      SetSizeHints(spec.rect);
    }
    XFlush(c.display);
  });
}

// What stays with the window whatever its role: the program it belongs to and its title.
void X11Window::SetIdentity(const NativeWindowSpec& spec) {
  X11Connection& c = connection_;  // the lock is held by the caller
  Atom protocols[] = {c.atoms.wmDeleteWindow};
  XSetWMProtocols(c.display, window_, protocols, 1);
  const long pid = static_cast<long>(getpid());
  XChangeProperty(c.display, window_, c.atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  // Taskbars and .desktop files know the program by its name; the class is the name capitalised.
  std::string instance = ToUtf8(spec.programName);
  std::string programClass = instance;
  if (!programClass.empty()) programClass[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(programClass[0])));
  XClassHint classHint{instance.data(), programClass.data()};
  XSetClassHint(c.display, window_, &classHint);
  RemoveDecorations(c, window_);
  const std::string title = ToUtf8(spec.title);
  SetUtf8(c, window_, c.atoms.netWmName, title);
  XStoreName(c.display, window_, title.c_str());
}

namespace {

Atom TypeOf(const X11Atoms& a, WindowRole role) {
  switch (role) {
    case WindowRole::Dialog: return a.typeDialog;
    case WindowRole::Tool: return a.typeUtility;
    case WindowRole::Popup: return a.typeDropdown;
    case WindowRole::Menu: return a.typePopupMenu;
    case WindowRole::Tooltip: return a.typeTooltip;
    case WindowRole::Notification: return a.typeNotification;
    case WindowRole::Overlay: return None;  // no role of its own: a picture behind another window
    default: return a.typeNormal;
  }
}

}  // namespace

void X11Window::SetRoleHints() {
  X11Connection& c = connection_;  // the lock is held by the caller
  const X11Atoms& a = c.atoms;
  const Atom type = TypeOf(a, role_);
  if (type == None) {
    XDeleteProperty(c.display, window_, a.netWmWindowType);
  } else {
    SetAtomList(c, window_, a.netWmWindowType, {type});
  }
  std::vector<Atom> states;
  if (role_ != WindowRole::Normal) states = {a.stateSkipTaskbar, a.stateSkipPager};
  if (stacking_ == Stacking::Topmost) states.push_back(a.stateAbove);
  SetAtomList(c, window_, a.netWmState, states);
  const Window owner = c.WindowOf(owner_);
  if (owner != 0 && role_ != WindowRole::Tool && role_ != WindowRole::Normal) {
    XSetTransientForHint(c.display, window_, owner);
  } else {
    XDeleteProperty(c.display, window_, XA_WM_TRANSIENT_FOR);
  }
  SetWmHints(NormalState);
}

void X11Window::SetWmHints(int initialState) {
  X11Connection& c = connection_;  // the lock is held by the caller
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = inputAllowed_ ? 1 : 0;
  hints.initial_state = initialState;
  XSetWMHints(c.display, window_, &hints);
}

void X11Window::SetSizeHints(const Rect& rect) {
  X11Connection& c = connection_;  // the lock is held by the caller
  // Our windows are sized by the program only: the window manager may not resize them.
  XSizeHints* hints = XAllocSizeHints();
  hints->flags = PPosition | USPosition | PMinSize | PMaxSize;
  hints->x = rect.left;
  hints->y = rect.top;
  hints->min_width = hints->max_width = std::max(rect.Width(), 1);
  hints->min_height = hints->max_height = std::max(rect.Height(), 1);
  XSetWMNormalHints(c.display, window_, hints);
  XFree(hints);
}

void X11Window::SetRole(WindowRole role) {
  if (role == role_ || role_ == WindowRole::Child || role == WindowRole::Child) return;
  connection_.With([this, role](X11Connection& c) {
    // Called before the window is shown: the window manager judges the window when it is mapped.
    role_ = role;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = IsUnmanaged(role) ? 1 : 0;
    XChangeWindowAttributes(c.display, window_, CWOverrideRedirect, &attributes);
    c.windows[window_].overrideRedirect = IsUnmanaged(role);
    SetRoleHints();
    SetSizeHints(rect_);
    XFlush(c.display);
  });
}

void X11Window::SetShowState(NativeShow state) {
  SyncClickThrough();
  connection_.With([this, state](X11Connection& c) {
    // With no window manager to keep an icon, a minimised window is simply unmapped.
    const bool managed = Managed() && (state != NativeShow::Minimized || c.WindowManagerRuns());
    if (state == NativeShow::Shown) {
      XMapWindow(c.display, window_);
      // A window manager keeps an iconified window unmapped until it is asked to activate it.
      if (std::exchange(iconified_, false) && managed && c.WindowManagerRuns()) X11Painter::Activate(c, window_);
    } else if (state == NativeShow::Hidden) {
      if (managed) {
        XWithdrawWindow(c.display, window_, c.screen);
      } else {
        XUnmapWindow(c.display, window_);
      }
      presenter_->Release();  // nothing to answer exposures for; the next frame is sent whole
    } else if (!managed) {
      XUnmapWindow(c.display, window_);
    } else if (MappedNow(c, window_)) {
      iconified_ = true;
      XIconifyWindow(c.display, window_, c.screen);
    } else {
      iconified_ = true;
      SetWmHints(IconicState);
      XMapWindow(c.display, window_);
    }
    XFlush(c.display);
  });
}

void X11Window::SetGeometry(const Rect& rect) {
  connection_.With([this, &rect](X11Connection& c) {
    const int width = std::max(rect.Width(), 1);
    const int height = std::max(rect.Height(), 1);
    X11WindowInfo& info = c.windows[window_];
    if (width != info.width || height != info.height) Resized(info, width, height);
    rect_ = rect;
    if (Managed()) SetSizeHints(rect);
    XMoveResizeWindow(c.display, window_, rect.left, rect.top, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(c.display);
  });
}

void X11Window::Resized(X11WindowInfo& info, int width, int height) {
  info.width = width;
  info.height = height;
  presenter_->Release();  // the kept frame no longer fits; segments come back with the next one
  if (info.regionDiameter > 0) X11Shape::SetRound(connection_, window_, width, height, info.regionDiameter);
}

void X11Window::Raise() {
  connection_.With([this](X11Connection& c) {
    X11Stacking::Release(c, window_);
    XRaiseWindow(c.display, window_);
    XFlush(c.display);
  });
}

void X11Window::StackBelow(HWND sibling) {
  connection_.With([this, sibling](X11Connection& c) {
    X11Stacking::KeepBelow(c, window_, c.WindowOf(sibling));
    XFlush(c.display);
  });
}

void X11Window::SetInputAllowed(InputState state) {
  const bool allowed = state == InputState::Enabled;
  if (allowed == inputAllowed_) return;
  inputAllowed_ = allowed;
  if (!Managed()) return;
  connection_.With([this](X11Connection& c) {
    // A disabled window (the owner of a modal dialog) is not one the window manager should focus.
    SetWmHints(NormalState);
    XFlush(c.display);
  });
}

void X11Window::RequestFocus() {
  connection_.With([this](X11Connection& c) {
    X11WindowInfo& info = c.windows[window_];
    if (!info.mapped) {
      info.focusWanted = true;  // X refuses focus for unmapped windows; MapNotify takes over
      return;
    }
    X11Painter::Focus(c, window_);
  });
}

void X11Window::SetTitle(std::u16string_view title) {
  connection_.With([this, title](X11Connection& c) {
    const std::string text = ToUtf8(title);
    SetUtf8(c, window_, c.atoms.netWmName, text);
    XStoreName(c.display, window_, text.c_str());
    XFlush(c.display);
  });
}

void X11Window::SendStateChange(StateChange change, Atom state) {
  X11Connection& c = connection_;  // the lock is held by the caller
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = c.atoms.netWmState;
  event.xclient.format = 32;
  event.xclient.data.l[0] = change == StateChange::Add ? 1 : 0;  // _NET_WM_STATE_ADD or _REMOVE
  event.xclient.data.l[1] = static_cast<long>(state);
  event.xclient.data.l[3] = kSourceApplication;
  XSendEvent(c.display, c.root, 0, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void X11Window::SetStacking(Stacking stacking) {
  if (stacking == stacking_ || role_ == WindowRole::Child) return;
  stacking_ = stacking;
  connection_.With([this](X11Connection& c) {
    const bool above = stacking_ == Stacking::Topmost;
    if (c.windows[window_].mapped) {
      SendStateChange(above ? StateChange::Add : StateChange::Remove, c.atoms.stateAbove);
    } else {
      std::vector<Atom> states;
      if (role_ != WindowRole::Normal) states = {c.atoms.stateSkipTaskbar, c.atoms.stateSkipPager};
      if (above) states.push_back(c.atoms.stateAbove);
      SetAtomList(c, window_, c.atoms.netWmState, states);
    }
    if (above) XRaiseWindow(c.display, window_);
    XFlush(c.display);
  });
}

void X11Window::Present(const FrameSource& frame, const Rect& damage) {
  SyncClickThrough();
  connection_.With([this, &frame, &damage](X11Connection& c) {
    presenter_->Present(frame, damage);
    X11WindowInfo& info = c.windows[window_];
    if (role_ != WindowRole::Child && !c.compositing && info.regionDiameter == 0) {
      ShapeFromAlpha(info, presenter_->Shown(), damage);
    }
    XFlush(c.display);
  });
}

void X11Window::ReleaseSpareImages() {
  connection_.With([this](X11Connection& c) {
    presenter_->ReleaseSpare();
    XFlush(c.display);
  });
}

// Without a compositor see-through pixels show black: the window is cut to its opaque part instead.
void X11Window::ShapeFromAlpha(X11WindowInfo& info, const PixelView& image, const Rect& damage) {
  if (image.pixels == nullptr) return;
  // A window cut to all of itself stays so while what changed is opaque: the rest need not be read.
  const bool whole = alphaBands_.size() == 1 && alphaBands_[0].x == 0 && alphaBands_[0].y == 0 &&
                     alphaBands_[0].width == image.width && alphaBands_[0].height == image.height;
  if (info.alphaShaped && whole && X11Shape::AllOpaque(image, damage)) return;
  std::vector<XRectangle> bands = X11Shape::OpaqueBands(image);
  const auto same = [](const XRectangle& a, const XRectangle& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
  };
  if (info.alphaShaped && std::equal(bands.begin(), bands.end(), alphaBands_.begin(), alphaBands_.end(), same)) return;
  X11Shape::SetBands(connection_, window_, image.width, image.height, bands);
  alphaBands_ = std::move(bands);
  info.alphaShaped = true;
}

void X11Window::SyncClickThrough() {
  const bool through = WantsClickThrough(hwnd_);
  connection_.With([this, through](X11Connection& c) {
    X11WindowInfo& info = c.windows[window_];
    if (info.clickThrough == through) return;
    info.clickThrough = through;
    X11Shape::SetClickThrough(c, window_, through);
    XFlush(c.display);
  });
}

void X11Window::SetCursor(CursorType shape) {
  connection_.With([this, shape](X11Connection& c) {
    XDefineCursor(c.display, window_, c.FontCursor(shape));
    XFlush(c.display);
  });
}

void X11Window::GrabPointer() {
  connection_.With([this](X11Connection& c) {
    XGrabPointer(c.display, window_, 1, ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask,
                 GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XFlush(c.display);
  });
}

void X11Window::UngrabPointer() {
  connection_.With([](X11Connection& c) {
    XUngrabPointer(c.display, CurrentTime);
    XFlush(c.display);
  });
}

bool X11Window::BeginSystemMove(Point screen) {
  if (!Managed()) return false;
  return connection_.With([this, screen](X11Connection& c) {
    if (!c.WindowManagerMoves() || !LeftButtonDown(c)) return false;  // a manager never told of the release would hold on
    XUngrabPointer(c.display, CurrentTime);  // the window manager needs the pointer
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = c.atoms.netWmMoveResize;
    event.xclient.format = 32;
    event.xclient.data.l[0] = screen.x;
    event.xclient.data.l[1] = screen.y;
    event.xclient.data.l[2] = kMoveResizeMove;
    event.xclient.data.l[3] = Button1;
    event.xclient.data.l[4] = kSourceApplication;
    XSendEvent(c.display, c.root, 0, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(c.display);
    return true;
  });
}

void X11Window::PublishProperty(std::u16string_view name, std::intptr_t value) {
  connection_.With([this, name, value](X11Connection& c) {
    const Atom atom = XInternAtom(c.display, ToUtf8(name).c_str(), 0);
    if (value == 0) {
      XDeleteProperty(c.display, window_, atom);
    } else {
      const long data = static_cast<long>(value);
      XChangeProperty(c.display, window_, atom, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&data), 1);
    }
    XFlush(c.display);
  });
}

}  // namespace ZephUI::Backend

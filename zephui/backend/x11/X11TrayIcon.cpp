#include "backend/x11/X11TrayIcon.h"

#include <cairo-xlib.h>
#include <cairo.h>
#include <poll.h>

#include <string>

#include "backend/FdWatches.h"
#include "backend/TrayPicture.h"
#include "backend/x11/X11Connection.h"
#include "zephui/MessageCodes.h"
#include "zephui/Text.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace ZephUI::Backend {
namespace {

constexpr long kRequestDock = 0;      // SYSTEM_TRAY_REQUEST_DOCK
constexpr long kXEmbedMapped = 1;     // XEMBED_MAPPED: map the icon once docked
constexpr int kInitialSide = 22;      // the tray sets the real size

Window TrayManager(Display* display) {
  const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display));
  return XGetSelectionOwner(display, XInternAtom(display, name.c_str(), 0));
}

// The visual the tray wants its icons in (_NET_SYSTEM_TRAY_VISUAL); null for the default one.
XVisualInfo* TrayVisual(Display* display, Window manager) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const Atom atom = XInternAtom(display, "_NET_SYSTEM_TRAY_VISUAL", 0);
  if (XGetWindowProperty(display, manager, atom, 0, 1, 0, XA_VISUALID, &type, &format, &count, &remaining, &data) != 0) {
    return nullptr;
  }
  XVisualInfo* info = nullptr;
  if (data != nullptr && count == 1 && format == 32) {
    XVisualInfo wanted{};
    wanted.visualid = static_cast<VisualID>(reinterpret_cast<const unsigned long*>(data)[0]);
    int found = 0;
    info = XGetVisualInfo(display, VisualIDMask, &wanted, &found);
  }
  if (data != nullptr) XFree(data);
  return info;
}

// The program ends its loops itself when the server goes (X11Connection); Xlib must not exit for it.
void KeepRunning(Display*, void*) {}

}  // namespace

std::unique_ptr<X11TrayIcon> X11TrayIcon::Dock(const TrayPicture& picture, const std::u16string& tip,
                                               std::function<void(UINT)> click) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  XSetIOErrorExitHandler(display, KeepRunning, nullptr);
  std::unique_ptr<X11TrayIcon> icon(new X11TrayIcon(display, picture, std::move(click)));
  const Window manager = TrayManager(display);
  if (manager == None || !icon->Create(manager)) return nullptr;
  icon->SetTip(tip);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = manager;
  event.xclient.message_type = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", 0);
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = kRequestDock;
  event.xclient.data.l[2] = static_cast<long>(icon->window_);
  XSendEvent(display, manager, 0, NoEventMask, &event);
  XFlush(display);
  FdWatches::OfThisThread().Add(*icon);
  return icon;
}

X11TrayIcon::X11TrayIcon(Display* display, const TrayPicture& picture, std::function<void(UINT)> click)
    : display_(display), picture_(picture), click_(std::move(click)) {}

X11TrayIcon::~X11TrayIcon() {
  FdWatches::Unwatch(*this);
  // Destroying the window is how an icon leaves the tray.
  if (!X11Connection::Lost()) {
    if (window_ != 0) XDestroyWindow(display_, window_);
    if (colormap_ != 0) XFreeColormap(display_, colormap_);
  }
  XCloseDisplay(display_);
}

bool X11TrayIcon::Create(unsigned long manager) {
  XVisualInfo* info = TrayVisual(display_, static_cast<Window>(manager));
  const Window root = DefaultRootWindow(display_);
  XSetWindowAttributes attributes{};
  unsigned long mask = CWEventMask | CWBorderPixel;
  attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  attributes.border_pixel = 0;
  int depth = CopyFromParent;
  Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
  if (info != nullptr) {
    visual = info->visual;
    depth = info->depth;
    argb_ = info->depth == 32;
    colormap_ = XCreateColormap(display_, root, visual, AllocNone);
    attributes.colormap = colormap_;
    attributes.background_pixel = 0;
    mask |= CWColormap | CWBackPixel;
    XFree(info);
  } else {
    // Without a visual of the tray's, the tray's own background shows through.
    attributes.background_pixmap = ParentRelative;
    mask |= CWBackPixmap;
  }
  width_ = height_ = kInitialSide;
  window_ = XCreateWindow(display_, root, 0, 0, width_, height_, 0, depth, InputOutput, visual, mask, &attributes);
  if (window_ == 0) return false;
  const long xembedInfo[2] = {0, kXEmbedMapped};
  const Atom infoAtom = XInternAtom(display_, "_XEMBED_INFO", 0);
  XChangeProperty(display_, window_, infoAtom, infoAtom, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(xembedInfo), 2);
  return true;
}

void X11TrayIcon::SetTip(const std::u16string& tip) {
  const std::string text = ToUtf8(tip);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
  const int length = static_cast<int>(text.size());
  XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_NAME", 0), XInternAtom(display_, "UTF8_STRING", 0), 8,
                  PropModeReplace, bytes, length);
  XChangeProperty(display_, window_, XA_WM_NAME, XInternAtom(display_, "UTF8_STRING", 0), 8, PropModeReplace, bytes, length);
  XFlush(display_);
}

int X11TrayIcon::Fd() const { return ConnectionNumber(display_); }

short X11TrayIcon::Events() { return POLLIN; }

// Events Xlib already read during a round trip are not on the socket any more.
int X11TrayIcon::TimeoutMs() { return XEventsQueued(display_, QueuedAlready) > 0 ? 0 : -1; }

void X11TrayIcon::Serve() {
  if (X11Connection::Lost()) {
    FdWatches::OfThisThread().Remove(*this);  // a dead connection stays readable
    return;
  }
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    Handle(event);
  }
}

void X11TrayIcon::Handle(const _XEvent& event) {
  if (event.xany.window != window_) return;
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Paint();
      break;
    case ConfigureNotify:
      width_ = event.xconfigure.width;
      height_ = event.xconfigure.height;
      Paint();
      break;
    case ReparentNotify:
      // A tray that quits hands its icons back to the root, mapped; an icon must not sit on the desktop.
      if (event.xreparent.parent == DefaultRootWindow(display_)) XUnmapWindow(display_, window_);
      break;
    case ButtonPress:
      if (event.xbutton.button == Button1 && click_) click_(WM_LBUTTONDOWN);
      break;
    case ButtonRelease:
      if (event.xbutton.button == Button3 && click_) click_(WM_RBUTTONUP);
      break;
    default:
      break;
  }
}

void X11TrayIcon::Paint() {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window_, &attributes) == 0) return;
  cairo_surface_t* surface = cairo_xlib_surface_create(display_, window_, attributes.visual, width_, height_);
  cairo_t* cr = cairo_create(surface);
  if (argb_) {
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  } else {
    XClearWindow(display_, window_);
  }
  picture_.Paint(cr, width_, height_);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  XFlush(display_);
}

}  // namespace ZephUI::Backend

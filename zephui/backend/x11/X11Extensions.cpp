#include "backend/x11/X11Extensions.h"

#include <sys/socket.h>

#include <bit>

#include <X11/extensions/XShm.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>

namespace ZephUI::Backend {
namespace {

// Only a server on this machine can map our segments; a forwarded display
// (TCP to localhost) would look up the segment id on another machine.
bool IsLocal(Display* display) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getsockname(ConnectionNumber(display), reinterpret_cast<sockaddr*>(&address), &length) != 0) return false;
  return address.ss_family == AF_UNIX;
}

// Shared images are copied without conversion, so the server must read our byte order.
bool SameByteOrder(Display* display) {
  return ImageByteOrder(display) == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
}

}  // namespace

void X11Extensions::Query(Display* display) {
  if (XShmQueryExtension(display) != 0 && IsLocal(display) && SameByteOrder(display)) {
    shmCompletion = XShmGetEventBase(display) + ShmCompletion;
  }
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  shape = XShapeQueryExtension(display, &eventBase, &errorBase) != 0 &&
          XShapeQueryVersion(display, &major, &minor) != 0 && (major > 1 || minor >= 1);
  if (XFixesQueryExtension(display, &eventBase, &errorBase) != 0 && XFixesQueryVersion(display, &major, &minor) != 0) {
    fixesSelection = eventBase + XFixesSelectionNotify;
  }
  if (XRRQueryExtension(display, &eventBase, &errorBase) != 0 && XRRQueryVersion(display, &major, &minor) != 0 &&
      major == 1) {
    randrMinor = minor;
  }
}

}  // namespace ZephUI::Backend

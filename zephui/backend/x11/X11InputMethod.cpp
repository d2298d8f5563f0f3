#include "backend/x11/X11InputMethod.h"

#include "backend/x11/X11Connection.h"

#include <X11/Xlocale.h>
#include <langinfo.h>

#include <cstring>
#include <string>

namespace ZephUI::Backend {
namespace {

constexpr XIMStyle kAtSpot = XIMPreeditPosition | XIMStatusNothing;
constexpr XIMStyle kOwnWindow = XIMPreeditNothing | XIMStatusNothing;
constexpr XIMStyle kPlain = XIMPreeditNone | XIMStatusNone;

bool IsPlainC(const char* locale) {
  return locale == nullptr || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0;
}

bool Offers(XIM method, XIMStyle wanted) {
  XIMStyles* styles = nullptr;
  if (XGetIMValues(method, XNQueryInputStyle, &styles, nullptr) != nullptr || styles == nullptr) return false;
  bool found = false;
  for (unsigned short i = 0; i < styles->count_styles && !found; ++i) found = styles->supported_styles[i] == wanted;
  XFree(styles);
  return found;
}

}  // namespace

// Only the character type is touched: numbers and messages keep the program's "C" rules.
void X11InputMethod::PrepareLocale() {
  const char* current = setlocale(LC_CTYPE, nullptr);
  if (!IsPlainC(current)) return;
  const std::string before = current != nullptr ? current : "C";
  const char* chosen = setlocale(LC_CTYPE, "");
  if (IsPlainC(chosen) || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) chosen = setlocale(LC_CTYPE, "C.UTF-8");
  if (chosen == nullptr || !XSupportsLocale()) setlocale(LC_CTYPE, before.c_str());
}

XIM X11InputMethod::Open(Display* display) {
  if (XSetLocaleModifiers("") == nullptr) XSetLocaleModifiers("@im=none");
  XIM method = XOpenIM(display, nullptr, nullptr, nullptr);
  if (method != nullptr) return method;
  XSetLocaleModifiers("@im=none");  // the named method is not running: compose keys still work
  return XOpenIM(display, nullptr, nullptr, nullptr);
}

XIC X11InputMethod::CreateContext(XIM method, Window window) {
  if (method == nullptr) return nullptr;
  if (Offers(method, kAtSpot)) {
    XPoint spot{0, 0};
    XVaNestedList preedit = XVaCreateNestedList(0, XNSpotLocation, &spot, nullptr);
    XIC context = XCreateIC(method, XNInputStyle, kAtSpot, XNClientWindow, window, XNFocusWindow, window,
                            XNPreeditAttributes, preedit, nullptr);
    XFree(preedit);
    if (context != nullptr) return context;
  }
  const XIMStyle style = Offers(method, kOwnWindow) || !Offers(method, kPlain) ? kOwnWindow : kPlain;
  return XCreateIC(method, XNInputStyle, style, XNClientWindow, window, XNFocusWindow, window, nullptr);
}

XIC X11InputMethod::ContextFor(X11Connection& c, Window window) {
  const auto it = c.windows.find(window);
  if (it == c.windows.end()) return nullptr;
  X11WindowInfo& info = it->second;
  if (info.contextTried) return info.inputContext;
  info.contextTried = true;
  if (!c.inputMethodTried) {
    c.inputMethodTried = true;
    c.inputMethod = Open(c.display);
  }
  if (c.inputMethod == nullptr) return nullptr;
  info.inputContext = CreateContext(c.inputMethod, window);
  // Made for a key or a caret of the focused window: the focus-in that would have said so has passed.
  if (info.inputContext != nullptr) XSetICFocus(info.inputContext);
  return info.inputContext;
}

void X11InputMethod::MoveSpot(XIC context, Point point) {
  if (context == nullptr) return;
  XIMStyle style = 0;
  if (XGetICValues(context, XNInputStyle, &style, nullptr) != nullptr || (style & XIMPreeditPosition) == 0) return;
  XPoint spot{static_cast<short>(point.x), static_cast<short>(point.y)};
  XVaNestedList preedit = XVaCreateNestedList(0, XNSpotLocation, &spot, nullptr);
  XSetICValues(context, XNPreeditAttributes, preedit, nullptr);
  XFree(preedit);
}

}  // namespace ZephUI::Backend

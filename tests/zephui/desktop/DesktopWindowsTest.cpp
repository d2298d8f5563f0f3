// Dialogs, message boxes, popups, tips, balloons and shadows under no window
// manager, openbox, and openbox with xcompmgr: how they are stacked, cut, typed,
// named, moved, minimised and focused, read back from the X server.

#include <cairo.h>
#include <errno.h>

#include <algorithm>
#include <numbers>
#include <string>

#include "tests/zephui/desktop/DesktopFixture.h"
#include "tests/zephui/windows/SampleDialog.h"
#include "tests/zephui/windows/SamplePopup.h"
#include "zephui/ControlTypes.h"
#include "zephui/MAirBladder.h"
#include "zephui/MShadow.h"
#include "zephui/MenuWnd.h"
#include "zephui/PaintManager.h"
#include "zephui/WindowSurface.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kDialogRect{200, 150, 560, 350};
constexpr std::uint32_t kOkColour = 0x3070C0;        // the OK button's fill, as the screen's RGB
constexpr std::uint32_t kMessageBoxStyle = 0x96020000;  // popup, visible, clipping, minimise box

class Desktops : public DesktopFixture {
 protected:
  bool Compositing() const { return GetParam() == Desktop::OpenboxXcompmgr; }
  bool Managed() const { return GetParam() != Desktop::Bare; }

  // A shown sample dialog, waited for until its OK button is on the screen.
  HWND ShowDialog(SampleDialog& dialog, HWND owner, const Rect& rect, std::uint32_t exStyle = 0) {
    const HWND hwnd = dialog.Create(owner, u"Sample dialog", WS_POPUP | WS_VISIBLE, exStyle, rect);
    EXPECT_NE(hwnd, nullptr);
    EXPECT_TRUE(PumpUntil([&] {
      Rect now;
      GetWindowRect(hwnd, now);
      return ScreenPixel(now.left + SampleDialog::kOkRect.left + 4, now.top + SampleDialog::kOkRect.top + 4) == kOkColour;
    }));
    return hwnd;
  }

  Atom WindowType(Window window) {
    const Atom property = XInternAtom(client_, "_NET_WM_WINDOW_TYPE", 0);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(client_, window, property, 0, 1, 0, XA_ATOM, &type, &format, &count, &remaining, &data);
    const Atom value = count > 0 ? reinterpret_cast<Atom*>(data)[0] : None;
    if (data != nullptr) XFree(data);
    return value;
  }

  Atom Named(const char* name) { return XInternAtom(client_, name, 0); }

  bool OverrideRedirect(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(client_, window, &attributes);
    return attributes.override_redirect != 0;
  }

  std::pair<std::string, std::string> ClassOf(Window window) {
    XClassHint hint{};
    if (XGetClassHint(client_, window, &hint) == 0) return {};
    std::pair<std::string, std::string> names{hint.res_name, hint.res_class};
    XFree(hint.res_name);
    XFree(hint.res_class);
    return names;
  }

  // Where the root's children put the shadow: right below the dialog's frame.
  bool ShadowRightBelow(Window shadow, Window dialog) {
    const std::vector<Window> children = RootChildren();
    const auto s = std::find(children.begin(), children.end(), shadow);
    const auto d = std::find(children.begin(), children.end(), FrameOf(dialog));
    return s != children.end() && d != children.end() && s + 1 == d;
  }
};

TEST_P(Desktops, ADialogsShadowStaysRightBelowItAndOnlyWithACompositor) {
  SampleDialog other;
  ShowDialog(other, nullptr, Rect{420, 300, 780, 500});
  SampleDialog dialog;
  const HWND hwnd = ShowDialog(dialog, nullptr, kDialogRect);
  dialog.CreateShadow(true, false);
  const HWND shadow = dialog.GetPaintManager().GetShadow()->GetHwnd();
  const Window dialogX = XWindowOf(hwnd);
  const Window shadowX = XWindowOf(shadow);
  if (!Compositing()) {
    // Without a compositor the soft shadow would be a solid black block.
    Settle(200);
    EXPECT_FALSE(IsWindowVisible(shadow));
    EXPECT_FALSE(Viewable(shadowX));
    return;
  }
  ASSERT_TRUE(PumpUntil([&] { return Viewable(shadowX) && ShadowRightBelow(shadowX, dialogX); }));
  Screenshot("shadow");
  SetForegroundWindow(other.GetSafeHwnd());  // the other dialog comes up, over the shadow too
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.GetSafeHwnd(); }));
  Click(kDialogRect.left + 340, kDialogRect.top + 100);  // the user brings the dialog back
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd && ShadowRightBelow(shadowX, dialogX); }));
  const std::vector<Window> children = RootChildren();
  const auto otherAt = std::find(children.begin(), children.end(), FrameOf(XWindowOf(other.GetSafeHwnd())));
  EXPECT_LT(otherAt, std::find(children.begin(), children.end(), shadowX));
}

// A layered window with transparent rounded corners, drawn as the skinned dialogs draw theirs.
class RoundedWindow : public RecordingProcedure {
 public:
  RoundedWindow() {
    On(WM_PAINT, [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
      BeginPaint(hwnd);
      WindowSurface surface(hwnd);
      cairo_t* cr = cairo_create(surface.Get());
      cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
      cairo_paint(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
      const double w = surface.Width(), h = surface.Height(), r = 20, pi = std::numbers::pi;
      cairo_new_sub_path(cr);
      cairo_arc(cr, w - r, r, r, -pi / 2, 0);
      cairo_arc(cr, w - r, h - r, r, 0, pi / 2);
      cairo_arc(cr, r, h - r, r, pi / 2, pi);
      cairo_arc(cr, r, r, r, pi, 3 * pi / 2);
      cairo_close_path(cr);
      cairo_set_source_rgb(cr, 0x20 / 255.0, 0x60 / 255.0, 0xC0 / 255.0);
      cairo_fill(cr);
      cairo_destroy(cr);
      EndPaint(hwnd);
      PresentWindow(hwnd);
      return 0;
    });
  }
};

TEST_P(Desktops, ARoundedCornerShowsTheDesktopBehindItWithOrWithoutACompositor) {
  RegisterWindowClass(u"RoundedWindow", 0);
  RoundedWindow procedure;
  const HWND hwnd = CreateWindowEx(WS_EX_LAYERED, u"RoundedWindow", u"rounded", WS_POPUP | WS_VISIBLE, 300, 200, 200, 120,
                                   nullptr, &procedure);
  ASSERT_NE(hwnd, nullptr);
  Rect at;
  const auto cornerShowsDesktop = [&] {
    GetWindowRect(hwnd, at);
    return ScreenPixel(at.left + 100, at.top + 60) == 0x2060C0 && ScreenPixel(at.left + 1, at.top + 1) == PatternAt(at.left + 1, at.top + 1) &&
           ScreenPixel(at.right - 2, at.bottom - 2) == PatternAt(at.right - 2, at.bottom - 2);
  };
  EXPECT_TRUE(PumpUntil(cornerShowsDesktop)) << "corner " << std::hex << ScreenPixel(at.left + 1, at.top + 1);
  EXPECT_EQ(IsCompositionEnabled(), Compositing());
  if (GetParam() != Desktop::Openbox) {
    DestroyWindow(hwnd);
    return;
  }
  // The compositor comes and goes under the running window, which follows it.
  ASSERT_TRUE(session_->StartCompositor());
  EXPECT_TRUE(PumpUntil([&] { return IsCompositionEnabled() && procedure.Count(WM_DWMCOMPOSITIONCHANGED) == 1; }));
  EXPECT_TRUE(PumpUntil(cornerShowsDesktop));
  session_->StopCompositor();
  EXPECT_TRUE(PumpUntil([&] { return !IsCompositionEnabled() && procedure.Count(WM_DWMCOMPOSITIONCHANGED) == 2; }));
  EXPECT_TRUE(PumpUntil(cornerShowsDesktop));
  DestroyWindow(hwnd);
}

TEST_P(Desktops, AClickInPlaceOnTheBackgroundLeavesTheWindowWhereItIsAndADragMovesIt) {
  SampleDialog marker;
  ShowDialog(marker, nullptr, Rect{700, 500, 1060, 700});
  SampleDialog dialog;
  const HWND hwnd = ShowDialog(dialog, nullptr, kDialogRect);
  const Window dialogX = XWindowOf(hwnd);
  const auto screenOrigin = [&] {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(client_, dialogX, DefaultRootWindow(client_), 0, 0, &x, &y, &child);
    return Point{x, y};
  };
  const Point before = screenOrigin();
  const int backX = before.x + 340;
  const int backY = before.y + 100;
  Click(backX, backY);
  Settle(300);
  XTestFakeMotionEvent(client_, 0, backX + 150, backY + 120, CurrentTime);
  Click(900, 620);  // on the marker; a window glued to the pointer would be dropped here
  ASSERT_TRUE(PumpUntil([&] { return !marker.presses.empty() || screenOrigin().x != before.x; }));
  Rect rect;
  GetWindowRect(hwnd, rect);
  EXPECT_EQ(screenOrigin().x, before.x);
  EXPECT_EQ(screenOrigin().y, before.y);
  EXPECT_EQ(rect.left, before.x);

  XTestFakeMotionEvent(client_, 0, backX, backY, CurrentTime);
  XTestFakeButtonEvent(client_, 1, True, CurrentTime);
  XTestFakeMotionEvent(client_, 0, backX + 6, backY + 4, CurrentTime);
  XFlush(client_);
  Settle(300);
  XTestFakeMotionEvent(client_, 0, backX + 66, backY + 44, CurrentTime);
  XTestFakeButtonEvent(client_, 1, False, CurrentTime);
  XFlush(client_);
  // The window manager starts from where it was handed the move; the library follows from the press.
  EXPECT_TRUE(PumpUntil([&] { return screenOrigin().x >= before.x + 55 && screenOrigin().y >= before.y + 36; }));
  EXPECT_TRUE(PumpUntil([&] { return GetWindowRect(hwnd, rect) && rect.left == screenOrigin().x; }));
}

TEST_P(Desktops, EachWindowCarriesItsRoleAndTheProgramsName) {
  SampleDialog owner;
  const HWND ownerHwnd = ShowDialog(owner, nullptr, kDialogRect);
  SampleDialog box;  // a message box: an owned tool window built on the dialog class
  box.buildControls = false;
  ASSERT_NE(box.Create(ownerHwnd, u"MessageBox", kMessageBoxStyle, WS_EX_TOOLWINDOW, Rect{600, 150, 980, 350}), nullptr);
  owner.SetTooltip(u"A tip", Rect{40, 40, 320, 80});
  ASSERT_EQ(owner.SetAirBladderMsg(u"A balloon", Point{300, 420}, 0), 1);
  owner.CreateShadow(true, false);
  SamplePopup popup(&owner);  // made with a style that once turned it into a managed dialog
  ASSERT_NE(popup.Create(ownerHwnd, u"Popup", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, Rect{250, 360, 350, 410}), nullptr);

  struct Expected {
    HWND hwnd;
    const char* type;
    bool overrideRedirect;
  };
  const std::vector<Expected> expected{
      {ownerHwnd, "_NET_WM_WINDOW_TYPE_NORMAL", false},
      {box.GetSafeHwnd(), "_NET_WM_WINDOW_TYPE_DIALOG", false},
      {popup.GetSafeHwnd(), "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", true},
      {owner.GetPaintManager().GetTooltipWindow(), "_NET_WM_WINDOW_TYPE_TOOLTIP", true},
      {owner.GetPaintManager().GetAirBladder()->GetSafeHwnd(), "_NET_WM_WINDOW_TYPE_NOTIFICATION", true},
      {owner.GetPaintManager().GetShadow()->GetHwnd(), nullptr, true},
  };
  const std::string program = program_invocation_short_name;
  std::string programClass = program;
  programClass[0] = static_cast<char>(std::toupper(programClass[0]));
  for (const Expected& e : expected) {
    ASSERT_NE(e.hwnd, nullptr);
    const Window window = XWindowOf(e.hwnd);
    ASSERT_NE(window, 0U);
    EXPECT_EQ(WindowType(window), e.type != nullptr ? Named(e.type) : None) << (e.type != nullptr ? e.type : "shadow");
    EXPECT_EQ(OverrideRedirect(window), e.overrideRedirect) << (e.type != nullptr ? e.type : "shadow");
    EXPECT_EQ(ClassOf(window), std::pair(program, programClass));
    if (Managed()) {
      EXPECT_EQ(FrameOf(window) != window, !e.overrideRedirect) << "framed by the window manager";
    }
  }
  Window transientFor = 0;
  EXPECT_NE(XGetTransientForHint(client_, XWindowOf(box.GetSafeHwnd()), &transientFor), 0);
  EXPECT_EQ(transientFor, XWindowOf(ownerHwnd));
  int count = 0, ordering = 0;
  XRectangle* input = XShapeGetRectangles(client_, XWindowOf(owner.GetPaintManager().GetShadow()->GetHwnd()), ShapeInput, &count, &ordering);
  EXPECT_EQ(count, 0) << "the shadow takes no pointer input";
  if (input != nullptr) XFree(input);
  popup.DestroyWindow();
  box.DestroyWindow();

  // Made last: a menu is shown active, and popups close when they lose activation.
  auto* menu = new MenuWnd(&owner);  // deletes itself with its window
  ASSERT_EQ(menu->Create(ownerHwnd, Point{250, 360}, WM_USER + 1), 1);
  menu->AddMenu(u"Item", 1, u"", 0, 0);
  const HWND menuHwnd = menu->GetSafeHwnd();
  const Window menuWindow = XWindowOf(menuHwnd);
  EXPECT_EQ(WindowType(menuWindow), Named("_NET_WM_WINDOW_TYPE_POPUP_MENU"));
  EXPECT_TRUE(OverrideRedirect(menuWindow));
  DestroyWindow(menuHwnd);
}

TEST_P(Desktops, AMinimisedWindowLeavesTheScreenAndComesBackRestored) {
  SampleDialog dialog;
  const HWND hwnd = ShowDialog(dialog, nullptr, kDialogRect);
  const Window window = XWindowOf(hwnd);
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_TRUE(PumpUntil([&] { return !Viewable(window); }));
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(kDialogRect.left + 340, kDialogRect.top + 100) ==
                                     PatternAt(kDialogRect.left + 340, kDialogRect.top + 100); }));
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_TRUE(PumpUntil([&] { return Viewable(window); }));
}

TEST_P(Desktops, ClickingTheDisabledOwnerOfAModalDialogLeavesTheFocusInTheDialog) {
  SampleDialog owner;
  const HWND ownerHwnd = ShowDialog(owner, nullptr, kDialogRect);
  SampleDialog dialog;
  const HWND hwnd = ShowDialog(dialog, ownerHwnd, Rect{600, 300, 960, 500});
  EnableWindow(ownerHwnd, InputState::Disabled);
  const Window dialogX = XWindowOf(hwnd);
  const auto focusInDialog = [&] {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(client_, &focus, &revert);
    return focus == dialogX && GetForegroundWindow() == hwnd;
  };
  ASSERT_TRUE(PumpUntil(focusInDialog));
  Click(kDialogRect.left + 340, kDialogRect.top + 100);
  Settle(500);  // the window manager hands the focus out on the click
  EXPECT_TRUE(PumpUntil(focusInDialog));
  EXPECT_TRUE(owner.presses.empty());
  EnableWindow(ownerHwnd, InputState::Enabled);
}

TEST_P(Desktops, ATooltipGoesWhenAnotherProgramTakesTheFocus) {
  SampleDialog dialog;
  const HWND hwnd = ShowDialog(dialog, nullptr, kDialogRect);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }));
  // The X focus must really be ours (without a window manager it may still follow the pointer).
  XSetInputFocus(client_, XWindowOf(hwnd), RevertToParent, CurrentTime);
  XSync(client_, 0);
  Settle(100);
  dialog.SetTooltip(u"A tip that stays no longer than its window's focus", Rect{40, 40, 320, 80});
  const HWND tip = dialog.GetPaintManager().GetTooltipWindow();
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tip); }));
  const Window other = XCreateSimpleWindow(client_, DefaultRootWindow(client_), 900, 100, 200, 100, 0, 0, 0xFFFFFF);
  XMapWindow(client_, other);
  XSync(client_, 0);
  PumpUntil([&] { return Viewable(other); });
  XSetInputFocus(client_, other, RevertToParent, CurrentTime);
  XFlush(client_);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(tip) && !Viewable(XWindowOf(tip)); }));
  XDestroyWindow(client_, other);
  XSync(client_, 0);
}

TEST_P(Desktops, ScreenshotOfADialogAMessageBoxAndABalloon) {
  SampleDialog dialog;
  const HWND hwnd = ShowDialog(dialog, nullptr, Rect{120, 120, 480, 320});
  dialog.CreateShadow(true, false);
  ASSERT_EQ(dialog.SetAirBladderMsg(u"A balloon below the dialog", Point{300, 330}, 1), 1);
  SampleDialog box;
  box.buildControls = false;
  box.LoadBKImage(u"bk_prompt.png");
  box.SetBackMode(BACK_MODE_STRETCH, 30);
  ASSERT_NE(box.Create(hwnd, u"MessageBox", kMessageBoxStyle, WS_EX_TOOLWINDOW, Rect{600, 200, 980, 400}), nullptr);
  Settle(600);
  Screenshot("windows");
  box.DestroyWindow();
}

// One suite per desktop, run one after the other: each desktop is started once.
INSTANTIATE_TEST_SUITE_P(NoWindowManager, Desktops, ::testing::Values(Desktop::Bare), DesktopParamName);
INSTANTIATE_TEST_SUITE_P(Openbox, Desktops, ::testing::Values(Desktop::Openbox), DesktopParamName);
INSTANTIATE_TEST_SUITE_P(OpenboxAndCompositor, Desktops, ::testing::Values(Desktop::OpenboxXcompmgr), DesktopParamName);

}  // namespace
}  // namespace zephuitest

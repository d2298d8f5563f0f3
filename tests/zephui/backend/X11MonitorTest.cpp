// Monitors under X11: RandR monitors set on the test's Xvfb by another
// client, with _NET_WORKAREA of the current desktop cut to each monitor.
#include "tests/zephui/backend/X11Fixture.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kScreen{0, 0, 1280, 800};
constexpr Rect kLeft{0, 0, 640, 800};
constexpr Rect kRight{640, 0, 1280, 800};

class X11Monitors : public X11Fixture {
 protected:
  void TearDown() override {
    if (client_ != nullptr) {
      const Window root = DefaultRootWindow(client_);
      for (Atom name : added_) XRRDeleteMonitor(client_, root, name);
      XDeleteProperty(client_, root, XInternAtom(client_, "_NET_WORKAREA", False));
      XDeleteProperty(client_, root, XInternAtom(client_, "_NET_CURRENT_DESKTOP", False));
      XSync(client_, False);
    }
    X11Fixture::TearDown();
  }

  // A monitor on the one output takes the place of the output's own monitor.
  void AddMonitor(const char* name, const Rect& rect, bool primary, bool onTheOutput) {
    const Window root = DefaultRootWindow(client_);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(client_, root);
    XRRMonitorInfo* monitor = XRRAllocateMonitor(client_, onTheOutput ? 1 : 0);
    monitor->name = XInternAtom(client_, name, False);
    monitor->primary = primary ? True : False;
    monitor->x = rect.left;
    monitor->y = rect.top;
    monitor->width = rect.Width();
    monitor->height = rect.Height();
    monitor->mwidth = 300;
    monitor->mheight = 200;
    if (onTheOutput) monitor->outputs[0] = resources->outputs[0];
    XRRSetMonitor(client_, root, monitor);
    XSync(client_, False);
    added_.push_back(monitor->name);
    XFree(monitor);
    XRRFreeScreenResources(resources);
  }

  void SetRootCardinals(const char* property, const std::vector<long>& values) {
    XChangeProperty(client_, DefaultRootWindow(client_), XInternAtom(client_, property, False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
    XSync(client_, False);
  }

 private:
  std::vector<Atom> added_;
};

TEST_F(X11Monitors, WithoutMoreMonitorsTheScreenIsTheOnlyOneAndItsOwnWorkArea) {
  const std::vector<MonitorInfo> monitors = GetMonitors();
  ASSERT_EQ(monitors.size(), 1u);
  EXPECT_EQ(monitors[0].rect, kScreen);
  EXPECT_EQ(monitors[0].workArea, kScreen);
  EXPECT_TRUE(monitors[0].primary);
  EXPECT_EQ(GetWorkArea(), kScreen);
}

TEST_F(X11Monitors, RandrMonitorsComePrimaryFirstWithTheWorkAreaCutToEach) {
  AddMonitor("ZEPHUI_TEST_LEFT", kLeft, false, true);
  AddMonitor("ZEPHUI_TEST_RIGHT", kRight, true, false);
  SetRootCardinals("_NET_WORKAREA", {0, 24, 1280, 776});  // a panel along the top of both
  const std::vector<MonitorInfo> monitors = GetMonitors();
  ASSERT_EQ(monitors.size(), 2u);
  EXPECT_EQ(monitors[0].rect, kRight);
  EXPECT_TRUE(monitors[0].primary);
  EXPECT_EQ(monitors[0].workArea, (Rect{640, 24, 1280, 800}));
  EXPECT_EQ(monitors[1].rect, kLeft);
  EXPECT_FALSE(monitors[1].primary);
  EXPECT_EQ(monitors[1].workArea, (Rect{0, 24, 640, 800}));

  EXPECT_EQ(GetMonitorRectFromPoint(Point{10, 700}), kLeft);
  const HWND w = MakePainted(Rect{560, 300, 860, 400}, 0x204060);  // 80 columns left, 220 right
  EXPECT_EQ(GetMonitorWorkArea(w), (Rect{640, 24, 1280, 800}));
}

TEST_F(X11Monitors, TheWorkAreaIsTheCurrentDesktops) {
  SetRootCardinals("_NET_WORKAREA", {0, 10, 1280, 790, 40, 0, 1240, 780});
  SetRootCardinals("_NET_CURRENT_DESKTOP", {1});
  EXPECT_EQ(GetWorkArea(), (Rect{40, 0, 1280, 780}));
  EXPECT_EQ(GetMonitorWorkAreaFromPoint(Point{5, 5}), (Rect{40, 0, 1280, 780}));
  SetRootCardinals("_NET_CURRENT_DESKTOP", {7});  // no area published for it: the first one's
  EXPECT_EQ(GetWorkArea(), (Rect{0, 10, 1280, 800}));
}

}  // namespace
}  // namespace zephuitest

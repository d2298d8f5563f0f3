// The library's windows on the desktops users run, on the test binary's
// private Xvfb: with no window manager, under openbox, and under openbox with
// the xcompmgr compositor (the test's parameter). A second X connection of the
// test's own reads back what the server and the window manager hold, and
// clicks with XTEST; the root window carries a checker pattern, so
// see-through pixels can be told from black ones.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>


#include "tests/zephui/backend/PumpUntil.h"
#include "tests/zephui/backend/RecordingProcedure.h"
#include "tests/zephui/desktop/DesktopSession.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

namespace zephuitest {

/// An X window id, as Xlib's Window.
using XWindow = unsigned long;

class DesktopFixture : public ::testing::TestWithParam<Desktop> {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  /// Handles messages until `done` holds, looking at least every 20 ms; false after ten seconds.
  template <typename F>
  bool PumpUntil(F done) {
    return zephuitest::PumpUntil(done);
  }
  /// Handles messages for a while, so the window manager catches up with a click (never asserted).
  void Settle(int milliseconds);

  /// The X window of one of our top-level windows, found as another client would find it.
  XWindow XWindowOf(ZephUI::HWND hwnd);
  /// The child of the root holding `window`: the window itself, or its frame under a window manager.
  XWindow FrameOf(XWindow window);
  /// The root's children, bottom first.
  std::vector<XWindow> RootChildren();
  /// Whether the server shows the window.
  bool Viewable(XWindow window);
  /// The screen's RGB at a point.
  std::uint32_t ScreenPixel(int x, int y);
  /// The root pattern's RGB at a point.
  static std::uint32_t PatternAt(int x, int y);
  /// A left click with XTEST at a screen point, without moving between press and release.
  void Click(int x, int y);
  /// Writes the screen to `build/.../desktop_<name>_<desktop>.png` in the working folder.
  void Screenshot(const std::string& name);

  static Display* client_;
  static std::unique_ptr<DesktopSession> session_;
  static bool available_;

 private:
  void PatternRoot();
  RecordingProcedure tickerProcedure_;
  ZephUI::HWND ticker_ = nullptr;  // hidden, with a timer that keeps PumpUntil turning
};

/// The test's parameter as a name.
std::string DesktopParamName(const ::testing::TestParamInfo<Desktop>& info);

}  // namespace zephuitest

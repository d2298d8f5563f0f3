// Window-system tests against the test binary's private Xvfb: a second X
// connection of the test's own looks at the screen and plays other clients,
// while the loop here pumps the window system's messages.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "tests/zephui/backend/PumpUntil.h"
#include "tests/zephui/backend/RecordingProcedure.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

namespace zephuitest {

class X11Fixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  /// A shown top-level window that paints itself in `rgb` (0xRRGGBB); waits until the screen shows it.
  ZephUI::HWND MakePainted(const ZephUI::Rect& rect, std::uint32_t rgb, std::uint32_t exStyle = 0);
  /// Changes the colour a window of MakePainted paints in.
  void SetColour(ZephUI::HWND hwnd, std::uint32_t rgb);
  /// The procedure of a window made by MakePainted.
  RecordingProcedure& Procedure(ZephUI::HWND hwnd);
  /// The screen's RGB at a point, as the test's connection sees it.
  std::uint32_t ScreenPixel(int x, int y);

  /// Handles messages until `done` holds, looking at least every 20 ms; false after ten seconds.
  template <typename F>
  bool PumpUntil(F done) {
    return zephuitest::PumpUntil(done);
  }

  Display* client_ = nullptr;

 private:
  struct Painted {
    ZephUI::HWND hwnd = nullptr;
    std::uint32_t rgb = 0;
    std::unique_ptr<RecordingProcedure> procedure;
  };

  static bool available_;
  std::vector<std::unique_ptr<Painted>> windows_;
  RecordingProcedure tickerProcedure_;
  ZephUI::HWND ticker_ = nullptr;  // hidden, with a timer that keeps PumpUntil turning
};

}  // namespace zephuitest

// Every headless window-system test starts from a clean virtual desktop and
// leaves one behind, since all tests of the binary share one process.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/zephui/backend/RecordingProcedure.h"
#include "zephui/Window.h"

namespace zephuitest {

class HeadlessFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// A top-level window of class "HeadlessTest" (double clicks on) with its own recording procedure.
  ZephUI::HWND MakeWindow(int x, int y, int width, int height, std::uint32_t style = ZephUI::WS_POPUP | ZephUI::WS_VISIBLE,
                          ZephUI::HWND parent = nullptr, std::uint32_t exStyle = 0);
  /// The procedure of a window made by MakeWindow.
  RecordingProcedure& Procedure(ZephUI::HWND hwnd);
  /// A fresh file path in the test's temporary folder.
  std::string TempPath(const std::string& name) const;

 private:
  std::vector<std::pair<ZephUI::HWND, std::unique_ptr<RecordingProcedure>>> windows_;
  std::string folder_;
};

}  // namespace zephuitest

// The x11 fixture on the desktop a test's parameter names: the bare Xvfb or
// openbox on it (the tray and window activation must work on both).
#pragma once

#include "tests/zephui/backend/X11Fixture.h"
#include "tests/zephui/desktop/DesktopSession.h"

namespace zephuitest {

class DesktopX11Fixture : public X11Fixture, public ::testing::WithParamInterface<Desktop> {
 protected:
  static void TearDownTestSuite();
  void SetUp() override;

 private:
  static Display* observer_;
  static DesktopSession* session_;
};

/// Test-name suffix of a desktop parameter.
std::string DesktopParamName(const ::testing::TestParamInfo<Desktop>& info);

}  // namespace zephuitest

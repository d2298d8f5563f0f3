#include "tests/zephui/tray/DesktopX11Fixture.h"

namespace zephuitest {

Display* DesktopX11Fixture::observer_ = nullptr;
DesktopSession* DesktopX11Fixture::session_ = nullptr;

void DesktopX11Fixture::TearDownTestSuite() {
  delete session_;
  session_ = nullptr;
  if (observer_ != nullptr) XCloseDisplay(observer_);
  observer_ = nullptr;
}

void DesktopX11Fixture::SetUp() {
  X11Fixture::SetUp();
  if (IsSkipped()) return;
  if (session_ == nullptr) {
    observer_ = XOpenDisplay(nullptr);
    ASSERT_NE(observer_, nullptr);
    session_ = new DesktopSession(observer_);
  }
  ASSERT_TRUE(session_->Switch(GetParam())) << DesktopName(GetParam());
}

std::string DesktopParamName(const ::testing::TestParamInfo<Desktop>& info) { return DesktopName(info.param); }

}  // namespace zephuitest

#include "tests/zephui/windows/DialogFixture.h"

#include "tests/zephui/windows/SampleFactory.h"
#include "zephui/Headless.h"

using namespace ZephUI;

namespace zephuitest {

void DialogFixture::SetUp() {
  HeadlessFixture::SetUp();
  RegisterSampleControls();
}

HWND DialogFixture::Open(MDialog& dialog, HWND owner, bool hidden) {
  const std::uint32_t style = WS_POPUP | (hidden ? 0U : WS_VISIBLE);
  const HWND hwnd = dialog.Create(owner, u"Sample", style, 0, kDialogRect);
  Headless::Pump();
  return hwnd;
}

void DialogFixture::Click(HWND hwnd, Point client) {
  Headless::ClickClient(hwnd, client.x, client.y);
  Headless::Pump();
}

}  // namespace zephuitest

#include "tests/zephui/backend/HeadlessFixture.h"

#include <cstdlib>
#include <filesystem>

#include "zephui/Backend.h"
#include "zephui/Headless.h"

namespace zephuitest {

void HeadlessFixture::SetUp() {
  ASSERT_TRUE(ZephUI::SelectBackend(ZephUI::BackendKind::Headless));
  ZephUI::Headless::Reset();
  ZephUI::RegisterWindowClass(u"HeadlessTest", ZephUI::CS_DBLCLKS);
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = (std::filesystem::path(::testing::TempDir()) / "zephui-headless" / info->test_suite_name() / info->name()).string();
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
}

void HeadlessFixture::TearDown() {
  ZephUI::Headless::Reset();  // destroys the windows before their procedures go
  windows_.clear();
  std::filesystem::remove_all(folder_);
}

ZephUI::HWND HeadlessFixture::MakeWindow(int x, int y, int width, int height, std::uint32_t style, ZephUI::HWND parent,
                                         std::uint32_t exStyle) {
  auto procedure = std::make_unique<RecordingProcedure>();
  const ZephUI::HWND hwnd =
      ZephUI::CreateWindowEx(exStyle, u"HeadlessTest", u"", style, x, y, width, height, parent, procedure.get());
  if (hwnd != nullptr) windows_.emplace_back(hwnd, std::move(procedure));
  return hwnd;
}

RecordingProcedure& HeadlessFixture::Procedure(ZephUI::HWND hwnd) {
  for (auto& [h, procedure] : windows_) {
    if (h == hwnd) return *procedure;
  }
  ADD_FAILURE() << "no such test window";
  static RecordingProcedure none;
  return none;
}

std::string HeadlessFixture::TempPath(const std::string& name) const { return folder_ + "/" + name; }

}  // namespace zephuitest

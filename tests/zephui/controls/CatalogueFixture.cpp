#include "tests/zephui/controls/CatalogueFixture.h"

#include <algorithm>
#include <filesystem>

#include "tests/zephui/render/RenderProbe.h"
#include "zephui/Headless.h"
#include "zephui/MControl.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

constexpr int kCornerSize = 4;

// Four frames: corner blocks, edges between them, and a centre colour of its own per frame.
std::unique_ptr<Image> TestSkin() {
  return renderprobe::Painted(4 * CatalogueFixture::kFrame, CatalogueFixture::kFrame, [](int x, int y) {
    const int fx = x % CatalogueFixture::kFrame;
    const bool nearX = fx < kCornerSize || fx >= CatalogueFixture::kFrame - kCornerSize;
    const bool nearY = y < kCornerSize || y >= CatalogueFixture::kFrame - kCornerSize;
    if (nearX && nearY) return CatalogueFixture::kCorner;
    return nearX || nearY ? CatalogueFixture::kEdge : CatalogueFixture::Centre(x / CatalogueFixture::kFrame);
  });
}

}  // namespace

LRESULT NoteDialog::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  notes.push_back(Note{controlId, msg, wParam, lParam});
  return 0;
}

ArgbColor CatalogueFixture::Centre(int frame) { return ArgbColor(0xFF000000u | (0x40u * (frame + 1)) << 16); }

void CatalogueFixture::SetUp() {
  HeadlessFixture::SetUp();
  const std::filesystem::path folder = TempPath("program");
  SkinLocator::SetProgramFolder(folder / "");
  std::filesystem::create_directories(SkinLocator::SkinPath(u"btn_test.png").parent_path());
  ASSERT_TRUE(TestSkin()->SavePng(SkinLocator::SkinPath(u"btn_test.png")));
  dialog_ = std::make_unique<NoteDialog>();
  hwnd_ = dialog_->Create(nullptr, u"Catalogue", WS_POPUP | WS_VISIBLE, 0, Rect{100, 100, 500, 300});
  ASSERT_NE(hwnd_, nullptr);
  dialog_->GetPaintManager().SetBackColor(GdiColor(0x202020), GdiColor(0x202020));
  Settle();
}

void CatalogueFixture::TearDown() {
  HeadlessFixture::TearDown();
  dialog_.reset();
  SkinLocator::SetProgramFolder({});
}

void CatalogueFixture::Settle() { Headless::RunFor(20); }

ArgbColor CatalogueFixture::SlotPixel(const MControl& control, int slot, int x, int y) {
  const Image* cache = control.GetMemImage();
  return cache != nullptr ? cache->PixelAt(slot * control.GetRect().Width() + x, y) : ArgbColor();
}

Rect CatalogueFixture::SlotBox(const MControl& control, int slot, const std::function<bool(ArgbColor)>& match) {
  const Rect rect = control.GetRect();
  Rect box{rect.Width(), rect.Height(), 0, 0};
  for (int y = 0; y < rect.Height(); ++y) {
    for (int x = 0; x < rect.Width(); ++x) {
      if (!match(SlotPixel(control, slot, x, y))) continue;
      box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    }
  }
  return box.left < box.right ? box : Rect{};
}

}  // namespace cataloguetest

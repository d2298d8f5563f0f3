// The control gallery painted in parts on the headless backend: a hover
// presents only the control it changes, and after a run of such paints the
// window shows what a whole repaint shows, opaque and layered alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "tests/zephui/gallery/GalleryDialog.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

enum class Look { Opaque, Layered };

Point Centre(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

int Differing(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i] ? 1 : 0;
  return count;
}

class GalleryPaint : public HeadlessFixture, public ::testing::WithParamInterface<Look> {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    hwnd_ = dialog_.Create(nullptr, u"Gallery", WS_POPUP | WS_VISIBLE, 0,
                           Rect{0, 0, GalleryDialog::kBlockWidth, GalleryDialog::kBlockHeight});
    ASSERT_NE(hwnd_, nullptr);
    if (GetParam() == Look::Layered) dialog_.GetPaintManager().SetLayeredWindow(true);
    Headless::RunFor(50);
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    HeadlessFixture::TearDown();
  }
  // The pointer moves to a client point; the paint it causes goes through at once.
  void MoveTo(Point at) {
    Headless::AdvanceClock(16);  // past the paint pacing
    SendMessage(hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    UpdateWindow(hwnd_);
  }

  GalleryDialog dialog_;
  HWND hwnd_ = nullptr;
};

TEST_P(GalleryPaint, AHoverPresentsItsControlAloneAndLeavesWhatAWholeRepaintShows) {
  const Rect apply = dialog_.ControlRect(GalleryDialog::kApplyId);
  const int presents = Headless::PresentCount(hwnd_);
  MoveTo(Centre(apply));
  EXPECT_EQ(Headless::PresentCount(hwnd_), presents + 1);
  EXPECT_EQ(Headless::LastPresentedRect(hwnd_), apply);

  for (const std::uint32_t id : {GalleryDialog::kEditId, GalleryDialog::kComboId, GalleryDialog::kApplyId}) {
    MoveTo(Centre(dialog_.ControlRect(id)));
  }
  MoveTo(Point{apply.left + 5, apply.bottom + 4});  // off into empty space
  const std::vector<std::uint32_t> inParts = Headless::PresentedPixels(hwnd_);

  InvalidateRect(hwnd_, nullptr);
  Headless::AdvanceClock(16);
  UpdateWindow(hwnd_);
  EXPECT_EQ(Headless::LastPresentedRect(hwnd_), (Rect{0, 0, GalleryDialog::kBlockWidth, GalleryDialog::kBlockHeight}));
  const std::vector<std::uint32_t> whole = Headless::PresentedPixels(hwnd_);
  ASSERT_EQ(inParts.size(), whole.size());
  EXPECT_EQ(Differing(inParts, whole), 0);
}

INSTANTIATE_TEST_SUITE_P(Looks, GalleryPaint, ::testing::Values(Look::Opaque, Look::Layered),
                         [](const auto& look) { return look.param == Look::Opaque ? "Opaque" : "Layered"; });

}  // namespace
}  // namespace zephuitest

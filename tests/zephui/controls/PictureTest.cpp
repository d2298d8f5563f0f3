// Pictures and areas: the show modes, the photo frame's hover frame, the
// sliding picture and the animated picture on animation ticks of the manual
// clock, and the area fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/CArea.h"
#include "zephui/CGifPicture.h"
#include "zephui/CPhotoFrame.h"
#include "zephui/CSliderPicture.h"
#include "zephui/CTextArea.h"
#include "zephui/Headless.h"
#include "zephui/MPicture.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/RenderContext.h"
#include "zephui/SkinLocator.h"
#include "zephui/WindowSurface.h"

using namespace ZephUI;
using renderprobe::Near;
using renderprobe::Opaque;

namespace cataloguetest {
namespace {

const std::filesystem::path kGifs = std::filesystem::path(PELMORA_SOURCE_DIR) / "tests" / "zephui" / "render" / "data";
constexpr ArgbColor kRed = Opaque(0xFF0000);
constexpr ArgbColor kBlue = Opaque(0x0000FF);
constexpr ArgbColor kBack = Opaque(0x202020);

// `beneath` (w x h surface pixels) with a picture filled in `rgb` blended over it line by line.
std::vector<std::uint32_t> Faded(const std::vector<std::uint32_t>& beneath, int w, int h, std::uint32_t rgb, int start,
                                 int end, GradientDirection direction) {
  const auto target = Image::Create(w, h);
  for (int y = 0; y < h; ++y) {
    std::memcpy(target->Pixels() + static_cast<std::ptrdiff_t>(y) * target->Stride() / 4,
                beneath.data() + static_cast<std::ptrdiff_t>(y) * w, static_cast<std::size_t>(w) * 4);
  }
  target->MarkDirty();
  const auto fill = renderprobe::Solid(w, h, Opaque(rgb));
  {
    RenderContext paint(*target);
    const Rect all{0, 0, w, h};
    if (direction == GradientDirection::Vertical) {
      MRender::DrawVerticalTransition(paint, *fill, all, all, start, end);
    } else {
      MRender::DrawHorizontalTransition(paint, *fill, all, all, start, end);
    }
    paint.Flush();
  }
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* row = target->Pixels() + static_cast<std::ptrdiff_t>(y) * target->Stride() / 4;
    pixels.insert(pixels.end(), row, row + w);
  }
  return pixels;
}

class PictureTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    // 10 x 10: red left half, blue right half.
    const auto halves = renderprobe::Painted(10, 10, [](int x, int) { return x < 5 ? kRed : kBlue; });
    ASSERT_TRUE(halves->SavePng(SkinLocator::SkinPath(u"halves.png")));
    for (const char* gif : {"two-frames.gif", "one-frame.gif"}) {
      std::filesystem::copy_file(kGifs / gif, SkinLocator::SkinPath(ToUtf16(gif)),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  static std::u16string ToUtf16(const char* s) { return std::u16string(s, s + std::char_traits<char>::length(s)); }
  ArgbColor At(int x, int y) const { return Headless::PresentedPixel(hwnd_, x, y); }
  // The window's pixel at (x, y) of a control.
  ArgbColor Inside(const MControl& control, int x, int y) const {
    return At(control.GetRect().left + x, control.GetRect().top + y);
  }
  // The window surface's pixels over `rect`, row by row.
  std::vector<std::uint32_t> Surface(const Rect& rect) const {
    WindowSurface surface(hwnd_);
    std::vector<std::uint32_t> pixels;
    for (int y = rect.top; y < rect.bottom; ++y) {
      const std::uint32_t* row = surface.Pixels() + static_cast<std::ptrdiff_t>(y) * surface.Stride() / 4;
      pixels.insert(pixels.end(), row + rect.left, row + rect.right);
    }
    return pixels;
  }
  // Animation ticks, one per 10 ms of the manual clock.
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) Headless::AdvanceClock(10);
  }
};

TEST_F(PictureTest, ShowModesPlaceTheImage) {
  auto* picture = Add<MPicture>(u"MPicture", 3, Rect{20, 20, 60, 50}, u"");  // 40 x 30
  ASSERT_EQ(picture->SetImage(u"halves.png", 1), 1);
  picture->SetAlignment(2, 8);
  Settle();
  EXPECT_EQ(Inside(*picture, 31, 21), kRed);  // natural size at the bottom right
  EXPECT_EQ(Inside(*picture, 29, 21), kBack);
  EXPECT_EQ(Inside(*picture, 31, 19), kBack);
  EXPECT_EQ(picture->SetShowMode(1, 0), 1);
  Settle();
  EXPECT_EQ(Inside(*picture, 12, 25), kRed);  // tiles repeat every 10 pixels
  EXPECT_EQ(Inside(*picture, 37, 5), kBlue);
  EXPECT_EQ(picture->SetShowMode(1, 7), 0);         // unchanged
  picture->SetShowMode(2, 0);
  Settle();
  EXPECT_EQ(Inside(*picture, 5, 15), kRed);   // stretched: each half fills half the control
  EXPECT_EQ(Inside(*picture, 35, 15), kBlue);
  picture->SetCustomRect(Rect{6, 0, 10, 10});
  picture->SetShowMode(5, 0);
  Settle();
  EXPECT_EQ(Inside(*picture, 2, 2), kBlue);   // only the blue part, stretched
  EXPECT_EQ(Inside(*picture, 37, 27), kBlue);
}

TEST_F(PictureTest, PhotoFrameHighlightsEveryStateButNormal) {
  // Frame strip of two 30 x 30 frames: none, then green.
  const auto frames = renderprobe::Painted(60, 30, [](int x, int) { return x < 30 ? Opaque(0) : Opaque(0x00FF00); });
  ASSERT_TRUE(frames->SavePng(SkinLocator::SkinPath(u"frame_test.png")));
  auto* photo = Add<CPhotoFrame>(u"CPhotoFrame", 4, Rect{20, 20, 60, 60}, u"");
  ASSERT_EQ(photo->SetImage(u"halves.png", 1), 1);
  photo->SetShowMode(2, 0);
  ASSERT_EQ(photo->SetPhotoFrame(u"frame_test.png"), 1);
  Settle();
  EXPECT_EQ(SlotPixel(*photo, 0, 1, 20), kRed);
  for (int slot = 1; slot < 4; ++slot) EXPECT_EQ(SlotPixel(*photo, slot, 1, 20), Opaque(0x00FF00)) << slot;
  Headless::ClickClient(hwnd_, 40, 40);
  Headless::Pump();
  EXPECT_EQ(dialog_->notes.size(), 2U);  // pressed and clicked
}

TEST_F(PictureTest, SlidingPictureComesInAndStops) {
  auto* slide = Add<CSliderPicture>(u"CSliderPicture", 5, Rect{0, 0, 200, 40}, u"");
  ASSERT_EQ(slide->SetImage(u"halves.png", 1), 1);
  dialog_->SetMTimer(10);
  slide->SetRun(true, SLIDE_FROM_LEFT);
  Ticks(50);
  EXPECT_EQ(slide->GetOffset(), 100);  // two pixels (a hundredth of 200) per tick
  dialog_->KillMTimer(dialog_->GetPaintManager().GetMTimerId());
  Settle();
  EXPECT_EQ(At(50, 20), kBlue);  // the picture's right half leads from the left
  EXPECT_EQ(At(150, 20), kBack);
  dialog_->SetMTimer(10);
  Ticks(60);
  EXPECT_FALSE(slide->IsRun());
  EXPECT_EQ(slide->GetOffset(), 200);
  slide->SetStepTicks(3);
  slide->SetRun(true, SLIDE_FROM_TOP);
  Ticks(9);
  EXPECT_EQ(slide->GetOffset(), 3);  // a hundredth of 40 is under a pixel: one per step
}

TEST_F(PictureTest, GifAdvancesEveryFifthTickAndFollowsThePointer) {
  auto* still = Add<CGifPicture>(u"CGifPicture", 6, Rect{100, 0, 140, 20}, u"");
  ASSERT_EQ(still->SetImage(u"one-frame.gif", 1), 1);
  EXPECT_EQ(still->SetRunState(true, 0), 0);
  EXPECT_FALSE(still->IsAnimate());

  auto* gif = Add<CGifPicture>(u"CGifPicture", 7, Rect{0, 0, 40, 20}, u"");  // 10 pixels per source pixel
  ASSERT_EQ(gif->SetImage(u"two-frames.gif", 1), 1);
  EXPECT_EQ(gif->GetFrameCount(), 2);
  Settle();
  EXPECT_TRUE(Near(At(25, 2), Opaque(0x00FF00), 8));  // frame 0 is green there
  dialog_->SetMTimer(10);
  ASSERT_EQ(gif->SetRunState(true, 0), 1);
  Ticks(4);
  EXPECT_EQ(gif->GetActiveFrame(), 0);
  Ticks(1);
  EXPECT_EQ(gif->GetActiveFrame(), 1);
  Ticks(5);
  EXPECT_EQ(gif->GetActiveFrame(), 0);  // wraps
  gif->SetRunState(false, 1);
  Ticks(300);  // long enough for the idle animation timer to park
  EXPECT_EQ(gif->GetActiveFrame(), 1);
  gif->SetRunState(true, 1);  // starts again from a parked timer
  Ticks(5);
  EXPECT_EQ(gif->GetActiveFrame(), 0);
  gif->SetRunState(false, 1);
  dialog_->KillMTimer(dialog_->GetPaintManager().GetMTimerId());
  Settle();
  EXPECT_TRUE(Near(At(25, 2), kBlue, 8));

  gif->SetMouseMoveActive(true);
  Headless::MoveMouseToClient(hwnd_, 20, 10);
  Headless::Pump();
  EXPECT_TRUE(gif->IsAnimate());
  EXPECT_EQ(gif->GetActiveFrame(), 0);
  gif->ActiveNextFrame();
  Headless::MoveMouseToClient(hwnd_, 300, 150);
  Headless::Pump();
  EXPECT_FALSE(gif->IsAnimate());
  EXPECT_EQ(gif->GetActiveFrame(), 0);
}

TEST_F(PictureTest, AreasFillOpaqueFramedOrFading) {
  auto* area = Add<CArea>(u"CArea", 8, Rect{0, 0, 40, 100}, u"");
  ASSERT_NE(area, nullptr);
  area->SetTransparent(0, 0, GdiColor::FromRgb(0, 0, 255));
  area->SetFrame(true, Opaque(0x00FF00));
  Settle();
  EXPECT_EQ(Inside(*area, 0, 50), Opaque(0x00FF00));
  EXPECT_EQ(Inside(*area, 1, 50), kBlue);
  area->SetTransparent(0, 100, GdiColor::FromRgb(0, 0, 255));
  Settle();
  EXPECT_EQ(Inside(*area, 20, 0), kBlue);                   // opaque at the top
  EXPECT_TRUE(Near(Inside(*area, 20, 99), kBack, 6));       // almost gone at the bottom
  const ArgbColor middle = Inside(*area, 20, 50);
  EXPECT_GT(middle.Blue(), 0x60);
  EXPECT_LT(middle.Blue(), 0xA0);
  area->SetTransitionDirection(GradientDirection::Horizontal);
  Settle();
  EXPECT_EQ(Inside(*area, 0, 99), kBlue);                   // now it fades to the right
  EXPECT_TRUE(Near(Inside(*area, 39, 0), kBack, 10));

  auto text = std::make_unique<CTextArea>(dialog_.get(), 9, Rect{50, 0, 150, 30}, u"Label", true);
  text->SetTransparent(0, 0, GdiColor::FromRgb(0, 0, 255));
  text->SetTextColor(Opaque(0xFFFFFF));
  text->SetFont(text->GetTextFont(), 18, 1);
  auto* shown = dialog_->GetPaintManager().AddControl(std::move(text), 1);
  dialog_->GetPaintManager().Invalidate();
  Settle();
  EXPECT_EQ(SlotPixel(*shown, 0, 99, 0), kBlue);
  EXPECT_GT(SlotBox(*shown, 0, Is(Opaque(0xFFFFFF))).Width(), 0);
}

// Areas draw their fill straight over the window at each paint, keeping no picture of their own:
// exactly what blending a filled picture line by line over the pixels beneath them gives.
TEST_F(PictureTest, FadingAreasBlendLikeAFilledPictureOverWhatLiesBeneath) {
  auto* picture = Add<MPicture>(u"MPicture", 3, Rect{10, 10, 250, 130}, u"");
  ASSERT_EQ(picture->SetImage(u"halves.png", 1), 1);
  picture->SetShowMode(1, 0);  // tiled: red and blue stripes beneath the area
  Settle();
  const Rect rect{30, 20, 190, 100};
  const std::vector<std::uint32_t> beneath = Surface(rect);
  auto* area = Add<CArea>(u"CArea", 8, rect, u"");
  ASSERT_NE(area, nullptr);
  struct Fade {
    int start, end;
    GradientDirection direction;
    std::uint32_t rgb;
  };
  for (const Fade& fade : {Fade{20, 70, GradientDirection::Vertical, 0x30C060}, Fade{90, 10, GradientDirection::Horizontal, 0xF0E0D0},
                           Fade{80, 80, GradientDirection::Vertical, 0x102030}}) {
    area->SetTransitionDirection(fade.direction);
    area->SetTransparent(fade.start, fade.end, GdiColor::FromRgb(fade.rgb >> 16, (fade.rgb >> 8) & 0xFF, fade.rgb & 0xFF));
    Settle();
    const std::vector<std::uint32_t> shown = Surface(rect);
    const std::vector<std::uint32_t> expected =
        Faded(beneath, rect.Width(), rect.Height(), fade.rgb, fade.start, fade.end, fade.direction);
    ASSERT_EQ(shown.size(), expected.size());
    const auto differs = std::mismatch(shown.begin(), shown.end(), expected.begin());
    EXPECT_TRUE(differs.first == shown.end())
        << fade.start << " to " << fade.end << ": pixel " << (differs.first - shown.begin()) << " is " << std::hex
        << *differs.first << ", not " << *differs.second;
  }
  EXPECT_EQ(area->GetMemImage(), nullptr);
  EXPECT_EQ(picture->GetMemImage(), nullptr);
}

}  // namespace
}  // namespace cataloguetest

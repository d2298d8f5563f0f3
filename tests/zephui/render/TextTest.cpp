// Text with Pango: measuring, placement, clipping, private fonts and the layout cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <thread>

#include "tests/zephui/render/RenderProbe.h"
#include "zephui/FontLayoutCache.h"
#include "zephui/FontRegistry.h"
#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"

namespace {

using renderprobe::InkBounds;
using renderprobe::Opaque;
using renderprobe::ScratchFolder;
using ZephUI::Font;
using ZephUI::FontLayoutCache;
using ZephUI::FontRegistry;
using ZephUI::FontStyle;
using ZephUI::Image;
using ZephUI::MRender;
using ZephUI::Rect;
using ZephUI::RenderContext;
using ZephUI::Size;
using ZephUI::TextFormat;

// An installed family, so results do not depend on which face names earlier tests registered.
const Font kSans(u"DejaVu Sans", 14);

// `text` drawn in opaque black into a transparent 120x40 picture.
std::unique_ptr<Image> Drawn(std::u16string_view text, const Rect& rect, TextFormat format) {
  auto dest = Image::Create(120, 40);
  RenderContext context(*dest);
  MRender::DrawTextW(context, rect, text, Opaque(0x000000), kSans, format);
  context.Flush();
  return dest;
}

TEST(TextMeasure, LongerTextIsWiderAtTheSameHeight) {
  const Size short_ = MRender::GetTextBounds(kSans, u"Hello");
  const Size long_ = MRender::GetTextBounds(kSans, u"Hello, world");
  EXPECT_GT(short_.width, 0);
  EXPECT_GT(long_.width, short_.width);
  EXPECT_EQ(long_.height, short_.height);
  EXPECT_EQ(MRender::GetTextBounds(kSans, u"").width, 0);
  // Trailing spaces count, as single-line titles measure them.
  EXPECT_GT(MRender::GetTextBounds(kSans, u"Hello  ").width, short_.width);
}

TEST(TextMeasure, SizeAndStyleChangeTheMeasure) {
  const Size regular = MRender::GetTextBounds(kSans, u"Profile");
  EXPECT_GT(MRender::GetTextBounds(Font(u"DejaVu Sans", 28), u"Profile").height, regular.height);
  EXPECT_GT(MRender::GetTextBounds(Font(u"DejaVu Sans", 14, FontStyle::Bold), u"Profile").width, regular.width);
}

TEST(TextMeasure, WordBreakWrapsToTheWidthAndSingleLineDoesNot) {
  const std::u16string_view text = u"one two three four five six";
  const Size line = MRender::GetTextBounds(kSans, text);
  const Size wrapped = MRender::GetTextBounds(kSans, TextFormat::WordBreak, 60, text);
  EXPECT_LE(wrapped.width, 60);
  EXPECT_GE(wrapped.height, 3 * line.height);
  EXPECT_EQ(MRender::GetTextBounds(kSans, TextFormat::SingleLine | TextFormat::WordBreak, 60, text), line);
  EXPECT_EQ(MRender::GetTextBounds(kSans, TextFormat::SingleLine, 0, u"a\nb").height, line.height);
  EXPECT_GT(MRender::GetTextBounds(kSans, u"a\nb").height, line.height);
}

TEST(TextMeasure, EllipsisShortensToTheWidth) {
  const std::u16string_view text = u"a rather long title for a small button";
  EXPECT_GT(MRender::GetTextBounds(kSans, text).width, 80);
  EXPECT_LE(MRender::GetTextBounds(kSans, TextFormat::SingleLine | TextFormat::EndEllipsis, 80, text).width, 80);
}

TEST(TextDraw, InkHasTheColourAndStaysInsideTheRectangle) {
  auto dest = Image::Create(120, 40);
  RenderContext context(*dest);
  // Large enough for stems wider than two pixels, so some pixels are fully covered.
  MRender::DrawTextW(context, Rect{0, 0, 30, 40}, u"HHHHHH", Opaque(0x00C000), Font(u"DejaVu Sans", 28),
                     TextFormat::VCenter);
  context.Flush();
  const Rect ink = InkBounds(*dest);
  EXPECT_GT(ink.Width(), 10);
  EXPECT_LE(ink.right, 30);
  bool solid = false;
  for (int x = ink.left; x < ink.right && !solid; ++x) {
    for (int y = ink.top; y < ink.bottom && !solid; ++y) solid = dest->PixelAt(x, y) == Opaque(0x00C000);
  }
  EXPECT_TRUE(solid) << "no fully covered pixel in the text colour";
}

TEST(TextDraw, NoClipLetsTextRunPastTheRectangle) {
  EXPECT_GT(InkBounds(*Drawn(u"HHHHHHHHHH", Rect{0, 0, 30, 40}, TextFormat::NoClip)).right, 30);
}

TEST(TextDraw, HorizontalFlagsMoveTheInk) {
  const Rect box{0, 0, 120, 40};
  const int left = InkBounds(*Drawn(u"Key", box, TextFormat::Left)).left;
  const int centre = InkBounds(*Drawn(u"Key", box, TextFormat::Center)).left;
  const int right = InkBounds(*Drawn(u"Key", box, TextFormat::Right)).right;
  EXPECT_LT(left, 3);
  EXPECT_NEAR(centre, (120 - MRender::GetTextBounds(kSans, u"Key").width) / 2, 3);
  EXPECT_GT(right, 116);
}

TEST(TextDraw, VerticalFlagsMoveTheInk) {
  const Rect box{0, 0, 120, 40};
  const Rect top = InkBounds(*Drawn(u"Key", box, TextFormat::Top));
  const Rect middle = InkBounds(*Drawn(u"Key", box, TextFormat::VCenter));
  const Rect bottom = InkBounds(*Drawn(u"Key", box, TextFormat::Bottom));
  EXPECT_LT(top.top, middle.top);
  EXPECT_LT(middle.top, bottom.top);
  EXPECT_GT(bottom.bottom, 34);
}

TEST(TextDraw, CentredWrappedTextCentresEachLine) {
  const auto dest = Drawn(u"longer line\ni", Rect{0, 0, 120, 40}, TextFormat::WordBreak | TextFormat::Center);
  const int lineHeight = MRender::GetTextBounds(kSans, u"i").height;
  int lastLineLeft = dest->Width();
  for (int y = lineHeight; y < dest->Height(); ++y) {
    for (int x = 0; x < dest->Width(); ++x) {
      if (dest->PixelAt(x, y).Alpha() > 0) lastLineLeft = std::min(lastLineLeft, x);
    }
  }
  EXPECT_NEAR(lastLineLeft, 60, 4);
}

TEST(TextDraw, TransparentColourOrEmptyTextDrawsNothing) {
  auto dest = Image::Create(40, 20);
  RenderContext context(*dest);
  MRender::DrawTextW(context, Rect{0, 0, 40, 20}, u"Key", ZephUI::ArgbColor(0x00FFFFFFu), kSans, TextFormat::Left);
  MRender::DrawTextW(context, Rect{0, 0, 40, 20}, u"", Opaque(0xFFFFFF), kSans, TextFormat::Left);
  context.Flush();
  EXPECT_EQ(InkBounds(*dest), Rect{});
}

// A copy of the Latin font whose family name is changed to one no installed font has.
std::filesystem::path RenamedFontCopy(const ScratchFolder& folder) {
  std::vector<std::uint8_t> bytes = ScratchFolder::Read(ZephUI::SkinLocator::FontPath(u"Arial.ttf"));
  const auto replaceAll = [&bytes](const std::string& from, const std::string& to) {
    for (auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end()); at != bytes.end();
         at = std::search(at, bytes.end(), from.begin(), from.end())) {
      at = std::copy(to.begin(), to.end(), at);
    }
  };
  const auto wide = [](const std::string& text) {
    std::string out;
    for (const char c : text) out += std::string{'\0', c};
    return out;
  };
  replaceAll("Liberation Sans", "Zephyrtest Sans");
  replaceAll(wide("Liberation Sans"), wide("Zephyrtest Sans"));
  return folder.Write("renamed.ttf", bytes);
}

TEST(PrivateFont, RegisteredFileIsWhatTextUsesUnderTheFaceName) {
  ScratchFolder folder;
  const std::filesystem::path file = RenamedFontCopy(folder);
  const Font face(u"ZephTestFace", 20);
  const std::u16string text = u"Private fonts, measured";
  const Size fallback = MRender::GetTextBounds(face, text);
  ASSERT_NE(FontRegistry::MatchedFile(face), file);

  EXPECT_EQ(FontRegistry::AddAppFont(u"ZephTestFace", file), u"Zephyrtest Sans");
  EXPECT_EQ(FontRegistry::MatchedFile(face), file);
  EXPECT_NE(MRender::GetTextBounds(face, text), fallback);
  EXPECT_EQ(FontRegistry::FindFamily(u"ZephTestFace"), u"Zephyrtest Sans");
}

TEST(PrivateFont, ShippedFontsRegisterUnderTheirSkinNames) {
  EXPECT_FALSE(FontRegistry::AddAppFont(u"SourceHanSansCN-Regular",
                                        ZephUI::SkinLocator::FontPath(u"SourceHanSansCN-Regular.otf"))
                   .empty());
  EXPECT_EQ(FontRegistry::AddAppFont(u"Arial", ZephUI::SkinLocator::FontPath(u"Arial.ttf")), u"Liberation Sans");
  EXPECT_GT(MRender::GetTextBounds(Font(u"SourceHanSansCN-Regular", 14), u"\u8bbe\u7f6e").width, 20);
}

TEST(PrivateFont, UnknownFilesAndFacesGiveNoFamily) {
  ScratchFolder folder;
  EXPECT_TRUE(FontRegistry::AddAppFont(u"Nothing", folder.Write("fake.ttf", {'n', 'o'})).empty());
  EXPECT_TRUE(FontRegistry::FindFamily(u"Nothing").empty());
  EXPECT_EQ(FontRegistry::FindFamily(u"DejaVu Sans"), u"DejaVu Sans");
}

TEST(LayoutCache, RepeatedTextIsLaidOutOnce) {
  const FontLayoutCache::Stats before = FontLayoutCache::GetStats();
  MRender::GetTextBounds(kSans, u"cache probe 1");
  MRender::GetTextBounds(kSans, u"cache probe 1");
  // Unbounded text does not depend on the rectangle, so other rectangles reuse the layout.
  Drawn(u"cache probe 1", Rect{0, 0, 100, 20}, TextFormat::Left);
  Drawn(u"cache probe 1", Rect{5, 5, 60, 30}, TextFormat::VCenter);
  const FontLayoutCache::Stats after = FontLayoutCache::GetStats();
  EXPECT_EQ(after.misses - before.misses, 1u);
  EXPECT_EQ(after.hits - before.hits, 3u);
}

TEST(LayoutCache, WidthMattersOnlyForBoundedLayouts) {
  const FontLayoutCache::Stats before = FontLayoutCache::GetStats();
  MRender::GetTextBounds(kSans, TextFormat::WordBreak, 50, u"cache probe 2");
  MRender::GetTextBounds(kSans, TextFormat::WordBreak, 70, u"cache probe 2");
  MRender::GetTextBounds(Font(u"DejaVu Sans", 15), TextFormat::WordBreak, 70, u"cache probe 2");
  EXPECT_EQ(FontLayoutCache::GetStats().misses - before.misses, 3u);
}

TEST(LayoutCache, CapacityBoundsTheEntries) {
  const std::size_t capacity = FontLayoutCache::GetStats().capacity;
  FontLayoutCache::SetCapacity(2);
  for (const auto* text : {u"bound a", u"bound b", u"bound c"}) MRender::GetTextBounds(kSans, text);
  EXPECT_EQ(FontLayoutCache::GetStats().entries, 2u);
  const std::uint64_t misses = FontLayoutCache::GetStats().misses;
  MRender::GetTextBounds(kSans, u"bound a");  // the least recently used went first
  EXPECT_EQ(FontLayoutCache::GetStats().misses, misses + 1);
  FontLayoutCache::SetCapacity(capacity);
}

TEST(LayoutCache, ConcurrentDrawingAndMeasuringAgreeWithSerialResults) {
  const std::array<std::u16string, 4> texts{u"alpha", u"beta gamma", u"delta epsilon zeta", u"eta"};
  std::array<Size, 4> expected{};
  for (std::size_t i = 0; i < texts.size(); ++i) expected[i] = MRender::GetTextBounds(kSans, texts[i]);
  const std::size_t capacity = FontLayoutCache::GetStats().capacity;
  FontLayoutCache::SetCapacity(3);  // force evictions while both threads work
  std::array<int, 2> mismatches{};
  const auto work = [&](int thread) {
    auto dest = Image::Create(100, 20);
    RenderContext context(*dest);
    for (int round = 0; round < 200; ++round) {
      const std::size_t i = static_cast<std::size_t>(round + thread) % texts.size();
      MRender::DrawTextW(context, Rect{0, 0, 100, 20}, texts[i], Opaque(0), kSans, TextFormat::Left);
      if (MRender::GetTextBounds(kSans, texts[i]) != expected[i]) ++mismatches[static_cast<std::size_t>(thread)];
    }
  };
  std::thread other(work, 1);
  work(0);
  other.join();
  FontLayoutCache::SetCapacity(capacity);
  EXPECT_EQ(mismatches[0] + mismatches[1], 0);
}

}  // namespace

// Loading pictures (PNG, GIF frames, ICO entries, BMP) and writing BMP files.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/zephui/render/RenderProbe.h"
#include "zephui/MRender.h"

namespace {

using renderprobe::Near;
using renderprobe::Opaque;
using renderprobe::ScratchFolder;
using ZephUI::ArgbColor;
using ZephUI::Image;
using ZephUI::MRender;

const std::filesystem::path kData = std::filesystem::path(PELMORA_SOURCE_DIR) / "tests" / "zephui" / "render" / "data";

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t Le16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

TEST(GifLoading, EveryFrameIsComposedOntoTheLogicalScreen) {
  auto gif = MRender::LoadImageFromFile(kData / "two-frames.gif");
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->Width(), 4);
  EXPECT_EQ(gif->Height(), 2);
  ASSERT_EQ(gif->AnimationFrameCount(), 2);
  EXPECT_TRUE(Near(gif->PixelAt(0, 0), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(gif->PixelAt(2, 0), Opaque(0x00FF00)));
  EXPECT_TRUE(Near(gif->PixelAt(0, 1), Opaque(0x0000FF)));
  EXPECT_TRUE(Near(gif->PixelAt(3, 1), ArgbColor()));  // the transparent index
  ASSERT_TRUE(gif->SelectAnimationFrame(1));
  EXPECT_TRUE(Near(gif->PixelAt(0, 0), Opaque(0xFF0000)));  // kept from frame 0
  EXPECT_TRUE(Near(gif->PixelAt(2, 0), Opaque(0x0000FF)));  // the patch of frame 1
  EXPECT_TRUE(Near(gif->PixelAt(3, 1), ArgbColor()));
  EXPECT_FALSE(gif->SelectAnimationFrame(2));
  EXPECT_EQ(gif->ActiveAnimationFrame(), 1);
}

TEST(GifLoading, ActiveFrameIsWhatGetsDrawn) {
  auto gif = MRender::LoadImageFromFile(kData / "two-frames.gif");
  ASSERT_TRUE(gif);
  gif->SelectAnimationFrame(1);
  auto dest = Image::Create(4, 2);
  ZephUI::RenderContext context(*dest);
  MRender::DrawImage(context, *gif, 0, 0);
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(3, 0), Opaque(0x0000FF)));
}

TEST(GifLoading, OneFrameIsStillAndNoFrameIsDropped) {
  const auto still = MRender::LoadImageFromFile(kData / "one-frame.gif");
  ASSERT_TRUE(still);
  EXPECT_EQ(still->AnimationFrameCount(), 1);
  EXPECT_TRUE(Near(still->PixelAt(1, 0), Opaque(0x0000FF)));
  EXPECT_FALSE(MRender::LoadImageFromFile(kData / "no-frames.gif"));
}

// The frames a copy of `file` without its last `cutBytes` bytes still yields; 0 when it is dropped.
int FramesWhenCut(const std::string& file, std::size_t cutBytes) {
  std::vector<std::uint8_t> bytes = ScratchFolder::Read(kData / file);
  bytes.resize(bytes.size() - cutBytes);
  const auto gif = MRender::LoadImageFromMemory(bytes);
  return gif ? gif->AnimationFrameCount() : 0;
}

TEST(GifLoading, FilesCutShortKeepTheirCompleteFrames) {
  EXPECT_EQ(FramesWhenCut("two-frames.gif", 1), 2);   // no trailer
  EXPECT_EQ(FramesWhenCut("two-frames.gif", 24), 1);  // cut where the second frame begins
  EXPECT_EQ(FramesWhenCut("two-frames.gif", 6), 1);   // cut inside the second frame's pixels
  EXPECT_EQ(FramesWhenCut("one-frame.gif", 4), 0);    // cut inside the only frame
}

TEST(PictureLoading, MissingOrUnreadableFilesGiveNothing) {
  ScratchFolder folder;
  EXPECT_FALSE(MRender::LoadImageFromFile(folder.Path() / "absent.png"));
  EXPECT_FALSE(MRender::LoadImageFromFile(folder.Write("junk.png", {'n', 'o', 't', ' ', 'a', 'n', 'y'})));
  std::vector<std::uint8_t> cut = ScratchFolder::Read(kData / "one-frame.gif");
  cut.resize(12);
  EXPECT_FALSE(MRender::LoadImageFromMemory(cut));
}

TEST(PictureLoading, PngKeepsColoursAndAlpha) {
  ScratchFolder folder;
  const auto original = renderprobe::Painted(3, 2, [](int x, int y) {
    return x == 0 ? ArgbColor(0x80FF0000u) : Opaque(0x102030u * static_cast<std::uint32_t>(x + y));
  });
  ASSERT_TRUE(original->SavePng(folder.Path() / "p.png"));
  const auto loaded = MRender::LoadImageFromFile(folder.Path() / "p.png");
  ASSERT_TRUE(loaded);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_TRUE(Near(loaded->PixelAt(x, y), original->PixelAt(x, y), 1));
  }
}

TEST(BitmapFile, HeaderDescribesABottomUp24BitPicture) {
  ScratchFolder folder;
  const auto image = renderprobe::Painted(3, 2, [](int x, int y) { return y == 0 ? Opaque(0x112233) : Opaque(0x445566u + x); });
  ASSERT_TRUE(MRender::SaveBitmapToFile(*image, folder.Path() / "b.bmp"));
  const std::vector<std::uint8_t> bytes = ScratchFolder::Read(folder.Path() / "b.bmp");
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);  // 3 pixels of 3 bytes padded to 12 per row
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(Le32(bytes, 2), bytes.size());
  EXPECT_EQ(Le32(bytes, 10), 54u);
  EXPECT_EQ(Le32(bytes, 14), 40u);
  EXPECT_EQ(Le32(bytes, 18), 3u);
  EXPECT_EQ(Le32(bytes, 22), 2u);
  EXPECT_EQ(Le16(bytes, 26), 1);
  EXPECT_EQ(Le16(bytes, 28), 24);
  EXPECT_EQ(Le32(bytes, 30), 0u);
  // The bottom row comes first, each pixel as blue, green, red.
  EXPECT_EQ(bytes[54], 0x66);
  EXPECT_EQ(bytes[55], 0x55);
  EXPECT_EQ(bytes[56], 0x44);
  EXPECT_EQ(bytes[66], 0x33);
  EXPECT_EQ(bytes[68], 0x11);
}

TEST(BitmapFile, WrittenFileLoadsBackUnchanged) {
  ScratchFolder folder;
  const auto image = renderprobe::Painted(5, 3, [](int x, int y) { return Opaque(0x203040u * static_cast<std::uint32_t>(x + 1) + y); });
  ASSERT_TRUE(MRender::SaveBitmapToFile(*image, folder.Path() / "b.bmp"));
  const auto loaded = MRender::LoadImageFromFile(folder.Path() / "b.bmp");
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->Width(), 5);
  ASSERT_EQ(loaded->Height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_TRUE(Near(loaded->PixelAt(x, y), image->PixelAt(x, y))) << x << "," << y;
  }
}

// A 2x2 icon bitmap entry: 32-bit colours bottom-up, then the 1-bit transparency mask.
std::vector<std::uint8_t> BitmapEntry(const std::array<std::uint32_t, 4>& bgraTopDown, std::uint8_t maskTopRow) {
  std::vector<std::uint8_t> entry;
  Put32(entry, 40);
  Put32(entry, 2);
  Put32(entry, 4);  // doubled height: colours and mask
  Put16(entry, 1);
  Put16(entry, 32);
  for (int i = 0; i < 6; ++i) Put32(entry, 0);
  for (const int row : {1, 0}) {
    for (int x = 0; x < 2; ++x) Put32(entry, bgraTopDown[static_cast<std::size_t>(row * 2 + x)]);
  }
  for (const std::uint8_t mask : {std::uint8_t{0}, maskTopRow}) {  // bottom row first, 4 bytes per row
    entry.push_back(mask);
    entry.insert(entry.end(), 3, 0);
  }
  return entry;
}

std::vector<std::uint8_t> IconFile(const std::vector<std::pair<int, std::vector<std::uint8_t>>>& entries) {
  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, static_cast<std::uint16_t>(entries.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (const auto& [side, data] : entries) {
    file.push_back(static_cast<std::uint8_t>(side));
    file.push_back(static_cast<std::uint8_t>(side));
    file.push_back(0);
    file.push_back(0);
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, static_cast<std::uint32_t>(data.size()));
    Put32(file, offset);
    offset += static_cast<std::uint32_t>(data.size());
  }
  for (const auto& entry : entries) file.insert(file.end(), entry.second.begin(), entry.second.end());
  return file;
}

TEST(IconLoading, BitmapEntryUsesItsAlphaChannel) {
  ScratchFolder folder;
  const auto file = folder.Write("a.ico", IconFile({{2, BitmapEntry({0xFFFF0000u, 0x80000000u, 0xFF00FF00u, 0xFF0000FFu}, 0)}}));
  const auto icon = MRender::LoadIconFromFile(file);
  ASSERT_TRUE(icon);
  EXPECT_TRUE(Near(icon->PixelAt(0, 0), Opaque(0xFF0000)));
  EXPECT_EQ(icon->PixelAt(1, 0).Alpha(), 0x80);
  EXPECT_TRUE(Near(icon->PixelAt(0, 1), Opaque(0x00FF00)));
  EXPECT_TRUE(Near(icon->PixelAt(1, 1), Opaque(0x0000FF)));
}

TEST(IconLoading, BitmapEntryWithoutAlphaFallsBackToItsMask) {
  ScratchFolder folder;
  // No alpha anywhere; the mask hides the top-right pixel (bit 6 of the top row's first byte).
  const auto file = folder.Write("m.ico", IconFile({{2, BitmapEntry({0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu}, 0x40)}}));
  const auto icon = MRender::LoadIconFromFile(file);
  ASSERT_TRUE(icon);
  EXPECT_TRUE(Near(icon->PixelAt(0, 0), Opaque(0xFF0000)));
  EXPECT_EQ(icon->PixelAt(1, 0).Alpha(), 0);
  EXPECT_TRUE(Near(icon->PixelAt(1, 1), Opaque(0xFFFFFF)));
}

TEST(IconLoading, TheLargestEntryWinsAndMayBePng) {
  ScratchFolder folder;
  const auto big = renderprobe::Solid(4, 4, Opaque(0x00FFFF));
  ASSERT_TRUE(big->SavePng(folder.Path() / "big.png"));
  const auto file = folder.Write(
      "b.ico", IconFile({{2, BitmapEntry({0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u}, 0)},
                         {4, ScratchFolder::Read(folder.Path() / "big.png")}}));
  const auto icon = MRender::LoadIconFromFile(file);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->Width(), 4);
  EXPECT_TRUE(Near(icon->PixelAt(3, 3), Opaque(0x00FFFF)));
}

TEST(IconLoading, ProgramsAndDamagedIconsGiveNothing) {
  ScratchFolder folder;
  EXPECT_FALSE(MRender::LoadIconFromFile("/proc/self/exe"));
  std::vector<std::uint8_t> damaged = IconFile({{2, BitmapEntry({0, 0, 0, 0}, 0)}});
  damaged.resize(30);
  EXPECT_FALSE(MRender::LoadIconFromFile(folder.Write("d.ico", damaged)));
}

TEST(Bitmap, CreatedBitmapIsTransparentAndWritableThroughItsPixels) {
  auto bitmap = MRender::CreateARGB32Bitmap(3, 2);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->PixelAt(2, 1), ArgbColor());
  bitmap->Pixels()[bitmap->Stride() / 4 + 2] = 0xFF123456u;
  bitmap->MarkDirty();
  EXPECT_EQ(bitmap->PixelAt(2, 1), ArgbColor(0xFF123456u));
  EXPECT_FALSE(MRender::CreateARGB32Bitmap(0, 5));
  EXPECT_FALSE(MRender::CreateARGB32Bitmap(5, -1));
}

}  // namespace

// Skin and font lookup beside the program, and the image list.
#include <gtest/gtest.h>

#include "tests/zephui/render/RenderProbe.h"
#include "zephui/MImageList.h"
#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"

namespace {

using renderprobe::Near;
using renderprobe::Opaque;
using renderprobe::ScratchFolder;
using ZephUI::ArgbColor;
using ZephUI::Image;
using ZephUI::MImageList;
using ZephUI::Rect;
using ZephUI::RenderContext;
using ZephUI::SkinLocator;

// Points the program folder at a scratch folder for one test.
class SkinFolder : public ::testing::Test {
 protected:
  SkinFolder() { SkinLocator::SetProgramFolder(folder_.Path()); }
  ~SkinFolder() override { SkinLocator::SetProgramFolder({}); }

  // Writes a PNG into the theme folder and returns the skin name used.
  void AddSkin(const std::string& relative, const Image& image) const {
    const std::filesystem::path file = folder_.Path() / "skins" / "theme1" / relative;
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(image.SavePng(file));
  }

  ScratchFolder folder_;
};

TEST(SkinNames, SeparatorsAreNormalisedToSingleSlashes) {
  EXPECT_EQ(SkinLocator::NormaliseName(u"icon//icon_pc.png"), u"icon/icon_pc.png");
  EXPECT_EQ(SkinLocator::NormaliseName(u"loading\\loading.gif"), u"loading/loading.gif");
  EXPECT_EQ(SkinLocator::NormaliseName(u"logo\\\\logo_loading.png"), u"logo/logo_loading.png");
  EXPECT_EQ(SkinLocator::NormaliseName(u"\\/a\\/b/"), u"a/b");
  EXPECT_EQ(SkinLocator::NormaliseName(u"plain.png"), u"plain.png");
}

TEST(SkinNames, ProgramFolderIsTheExecutablesFolder) {
  EXPECT_EQ(SkinLocator::ProgramFolder(), std::filesystem::canonical("/proc/self/exe").parent_path() / "");
  EXPECT_EQ(SkinLocator::FontPath(u"Arial.ttf"), SkinLocator::ProgramFolder() / "font" / "Arial.ttf");
}

TEST_F(SkinFolder, SubFolderNamesResolveInsideTheTheme) {
  EXPECT_EQ(SkinLocator::SkinPath(u"icon//icon_pc.png"), folder_.Path() / "skins/theme1/icon/icon_pc.png");
  EXPECT_EQ(SkinLocator::SkinPath(u"loading\\loading.gif"), folder_.Path() / "skins/theme1/loading/loading.gif");
  AddSkin("icon/icon_pc.png", *renderprobe::Solid(2, 2, Opaque(0x336699)));
  const auto image = ZephUI::MRender::LoadImageFromFile(SkinLocator::SkinPath(u"icon//icon_pc.png"));
  ASSERT_TRUE(image);
  EXPECT_TRUE(Near(image->PixelAt(1, 1), Opaque(0x336699)));
}

// A strip of two frames: red then green, each 4x4.
std::unique_ptr<Image> TwoStates() {
  return renderprobe::Painted(8, 4, [](int x, int) { return x < 4 ? Opaque(0xFF0000) : Opaque(0x00FF00); });
}

TEST_F(SkinFolder, ImageListIndicesFollowAddAndInsertRules) {
  AddSkin("row.png", *TwoStates());
  MImageList list;
  EXPECT_EQ(list.AddImage(u"", 1, 2), -1);
  EXPECT_EQ(list.AddImage(u"row.png", 10, 2), 0);
  EXPECT_EQ(list.AddImage(u"row.png", 11, 2), 1);
  EXPECT_EQ(list.InsertImage(-1, u"row.png", 12, 2), 2);
  EXPECT_EQ(list.InsertImage(0, u"row.png", 13, 2), -1);
  EXPECT_EQ(list.InsertImage(99, u"row.png", 14, 2), -1);
  EXPECT_EQ(list.InsertImage(0, u"", 15, 2), -1);
  ASSERT_EQ(list.GetImageCount(), 5);
  EXPECT_EQ(list.GetItemImageData(0)->id, 13);
  EXPECT_EQ(list.GetItemImageData(4)->id, 14);
  EXPECT_EQ(list.GetImageDataByID(12), list.GetItemImageData(3));
  EXPECT_EQ(list.GetImageDataByID(99), nullptr);
  EXPECT_EQ(list.GetItemImageData(5), nullptr);
  EXPECT_EQ(list.GetItemImageData(-1), nullptr);
}

TEST_F(SkinFolder, ImageListEntriesKeepFrameSizeIdAndPath) {
  AddSkin("row.png", *TwoStates());
  MImageList list;
  list.AddImage(u"row.png", 7, 2);
  const MImageList::Item* item = list.GetItemImageData(0);
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->image);
  EXPECT_EQ(item->frameWidth, 4);
  EXPECT_EQ(item->height, 4);
  EXPECT_EQ(item->frameCount, 2);
  EXPECT_EQ(list.GetImagePath(0), u"row.png");
  EXPECT_EQ(list.GetImagePathByID(7), u"row.png");
  EXPECT_EQ(list.GetImagePathByID(8), u"");
  EXPECT_EQ(list.GetImagePath(3), u"");
  list.SetDrawImgSize(16, 12);
  EXPECT_EQ(list.GetIconSize(), (ZephUI::Size{16, 12}));
  list.DelAllImages();
  EXPECT_EQ(list.GetImageCount(), 0);
  EXPECT_EQ(list.GetItemImageData(0), nullptr);
}

TEST_F(SkinFolder, ImageListDrawsTheChosenFrameStretched) {
  AddSkin("row.png", *TwoStates());
  MImageList list;
  list.AddImage(u"row.png", 1, 2);
  list.AddImage((folder_.Path() / "skins/theme1/row.png").u16string(), 2, 2);  // absolute paths are taken as they are
  const auto draw = [&list](int index, int frame) {
    auto dest = Image::Create(10, 10);
    RenderContext context(*dest);
    if (frame < 0) {
      list.DrawItemIcon(context, Rect{1, 1, 9, 9}, index);
    } else {
      list.DrawItemIcon(context, Rect{1, 1, 9, 9}, index, frame);
    }
    context.Flush();
    return dest;
  };
  const auto whole = draw(0, -1);
  EXPECT_TRUE(Near(whole->PixelAt(1, 1), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(whole->PixelAt(8, 8), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(whole->PixelAt(0, 0), ArgbColor()));
  EXPECT_TRUE(Near(draw(1, 1)->PixelAt(8, 8), Opaque(0x00FF00)));
  // Frame numbers stop at the frame count, which lies past the last frame.
  EXPECT_EQ(renderprobe::InkBounds(*draw(0, 2)), Rect{});
  EXPECT_EQ(renderprobe::InkBounds(*draw(0, 7)), Rect{});
  EXPECT_EQ(renderprobe::InkBounds(*draw(5, 0)), Rect{});
}

TEST_F(SkinFolder, MissingPicturesKeepTheirPlaceButDrawNothing) {
  MImageList list;
  EXPECT_EQ(list.AddImage(u"absent.png", 3, 4), 0);
  const MImageList::Item* item = list.GetItemImageData(0);
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->image);
  EXPECT_EQ(item->frameWidth, 0);
  auto dest = Image::Create(4, 4);
  RenderContext context(*dest);
  list.DrawItemIcon(context, Rect{0, 0, 4, 4}, 0);
  context.Flush();
  EXPECT_EQ(renderprobe::InkBounds(*dest), Rect{});
}

}  // namespace

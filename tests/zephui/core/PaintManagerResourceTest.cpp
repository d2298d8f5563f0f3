// The picture cache, background pictures and private fonts of a window.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/zephui/core/ControlHost.h"
#include "zephui/Headless.h"
#include "zephui/Manager.h"
#include "zephui/Resources.h"
#include "zephui/SkinLocator.h"

using namespace ZephUI;

namespace controltest {
namespace {

class ManagerResources : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    folder_ = std::filesystem::path(::testing::TempDir()) / "zephui-control-resources";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "skins" / "theme1" / "icon");
    SkinLocator::SetProgramFolder(folder_);
    MakeHost(100, 60);
  }
  void TearDown() override {
    SkinLocator::SetProgramFolder({});
    Resources::Clear();
    ControlFixture::TearDown();
    std::filesystem::remove_all(folder_);
  }

  // An 80 x 20 strip of four 20-pixel frames: red, green, blue, white.
  std::filesystem::path WriteStrip(const std::string& name) {
    auto image = Image::Create(80, 20);
    const std::uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 80; ++x) image->Pixels()[y * image->Stride() / 4 + x] = colours[x / 20];
    }
    image->MarkDirty();
    const std::filesystem::path file = folder_ / "skins" / "theme1" / name;
    EXPECT_TRUE(image->SavePng(file));
    return file;
  }

  static std::vector<std::uint8_t> Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  PaintManager& Manager() { return *host_->manager; }
  std::filesystem::path folder_;
};

TEST_F(ManagerResources, ASkinPictureIsLoadedOnceAndKeepsItsFirstFrameCount) {
  EXPECT_EQ(Manager().AddImgResInfo(u"strip.png", 4), nullptr);  // not there yet, and not remembered
  WriteStrip("strip.png");
  const ImgResInfo* first = Manager().AddImgResInfo(u"strip.png", 4);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->frameWidth, 20);
  EXPECT_EQ(first->height, 20);
  EXPECT_EQ(first->frameCount, 4);
  EXPECT_EQ(first->path, u"strip.png");
  const ImgResInfo* again = Manager().AddImgResInfo(u"strip.png", 2);
  EXPECT_EQ(again, first);
  EXPECT_EQ(again->frameCount, 4);
  WriteStrip("icon/strip.png");
  const ImgResInfo* nested = Manager().AddImgResInfo(u"icon//strip.png", 2);
  ASSERT_NE(nested, nullptr);
  EXPECT_NE(nested, first);
  EXPECT_EQ(nested->frameWidth, 40);
}

TEST_F(ManagerResources, ResourcePicturesAreKeptPerModule) {
  const std::vector<std::uint8_t> png = Bytes(WriteStrip("resource.png"));
  Resources::Add(ResourceModule::Application, 7, u"PNG", png);
  const ImgResInfo* application = Manager().AddImgResInfo(7, u"PNG", 2, true);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(application->frameWidth, 40);
  EXPECT_EQ(application->resourceId, 7);
  EXPECT_EQ(Manager().AddImgResInfo(7, u"PNG", 2, false), nullptr);
  Resources::Add(ResourceModule::Library, 7, u"PNG", png);
  const ImgResInfo* library = Manager().AddImgResInfo(7, u"PNG", 4, false);
  ASSERT_NE(library, nullptr);
  EXPECT_NE(library, application);
  EXPECT_EQ(library->frameWidth, 20);
}

TEST_F(ManagerResources, AControlTakesItsImageThroughItsManager) {
  WriteStrip("strip.png");
  ColourControl loose(nullptr, 1, Rect{0, 0, 10, 10});
  EXPECT_EQ(loose.SetImage(u"strip.png", 4), 0);  // no manager
  ColourControl* control = host_->AddColour(2, Rect{0, 0, 10, 10});
  EXPECT_EQ(control->SetImage(u"missing.png", 4), 0);
  EXPECT_EQ(control->SetImage(u"strip.png", 4), 1);
  EXPECT_EQ(control->GetImageSize(), (Size{20, 20}));
  EXPECT_EQ(control->GetImagePath(), u"strip.png");
  EXPECT_EQ(control->GetImageInfo(), Manager().AddImgResInfo(u"strip.png", 4));
}

TEST_F(ManagerResources, TheBackgroundPictureIsDrawnAtItsSizeOrStretchedAsAFrame) {
  EXPECT_EQ(Manager().LoadBKImage(u"missing.png"), 0);
  WriteStrip("back.png");
  ASSERT_EQ(Manager().LoadBKImage(u"back.png"), 1);
  Manager().Invalidate();
  Settle();
  EXPECT_EQ(Headless::PresentedPixel(host_->hwnd, 70, 10), ArgbColor(0xFFFFFFFF));
  EXPECT_EQ(Headless::PresentedPixel(host_->hwnd, 90, 10).Alpha(), 255);  // beyond the picture: nothing drawn
  EXPECT_NE(Headless::PresentedPixel(host_->hwnd, 90, 10), ArgbColor(0xFFFFFFFF));
  Manager().SetBackMode(BACK_MODE_STRETCH, 4);
  Manager().Invalidate();
  Settle();
  EXPECT_EQ(Headless::PresentedPixel(host_->hwnd, 99, 59), ArgbColor(0xFFFFFFFF));  // the right corner
  EXPECT_EQ(Headless::PresentedPixel(host_->hwnd, 0, 59), ArgbColor(0xFFFF0000));   // the left corner
}

TEST_F(ManagerResources, TextIsDrawnInTheGlobalFaceWhateverFaceIsAsked) {
  const std::u16string family = Manager().FindTempFont(u"No Such Face");
  EXPECT_EQ(family, Manager().FindTempFont(Manager::GetFontName()));
  ColourControl* control = host_->AddColour(2, Rect{0, 0, 10, 10});
  control->SetTextFont(u"Other Face");
  EXPECT_EQ(control->GetGDIFont().Face(), family.empty() ? Manager::GetFontName() : family);
  EXPECT_EQ(control->GetGDIFont().PixelSize(), 14);
  EXPECT_EQ(control->GetFontFamily(u"No Such Face"), u"");
}

}  // namespace
}  // namespace controltest

#include "tests/zephui/render/RenderProbe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace renderprobe {

std::unique_ptr<ZephUI::Image> Painted(int width, int height, const std::function<ArgbColor(int, int)>& paint) {
  auto image = ZephUI::Image::Create(width, height);
  std::uint32_t* pixels = image->Pixels();
  const int words = image->Stride() / 4;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const ArgbColor c = paint(x, y);
      const auto scale = [&c](std::uint8_t channel) { return static_cast<std::uint32_t>(channel * c.Alpha() / 255); };
      pixels[y * words + x] = (std::uint32_t{c.Alpha()} << 24) | (scale(c.Red()) << 16) | (scale(c.Green()) << 8) |
                              scale(c.Blue());
    }
  }
  image->MarkDirty();
  return image;
}

std::unique_ptr<ZephUI::Image> Solid(int width, int height, ArgbColor colour) {
  return Painted(width, height, [colour](int, int) { return colour; });
}

ZephUI::Rect InkBounds(const ZephUI::Image& image) {
  ZephUI::Rect ink{image.Width(), image.Height(), 0, 0};
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.PixelAt(x, y).Alpha() == 0) continue;
      ink = ZephUI::Rect{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
    }
  }
  return ink.right > ink.left ? ink : ZephUI::Rect{};
}

::testing::AssertionResult Near(ArgbColor actual, ArgbColor expected, int tolerance) {
  const auto close = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
  if (close(actual.Alpha(), expected.Alpha()) && close(actual.Red(), expected.Red()) &&
      close(actual.Green(), expected.Green()) && close(actual.Blue(), expected.Blue())) {
    return ::testing::AssertionSuccess();
  }
  char text[96];
  std::snprintf(text, sizeof text, "colour %08X, expected %08X (tolerance %d)", actual.Value(), expected.Value(),
                tolerance);
  return ::testing::AssertionFailure() << text;
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zephui-render-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  if (!path_.empty()) std::filesystem::remove_all(path_, error);
}

std::filesystem::path ScratchFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::vector<std::uint8_t> ScratchFolder::Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace renderprobe

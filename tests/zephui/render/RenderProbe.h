// Helpers for pixel-probe tests: small images painted pixel by pixel, colour
// comparisons with a tolerance, and a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Image.h"
#include "zephui/Rect.h"

namespace renderprobe {

using ZephUI::ArgbColor;

/// An image whose pixel (x, y) has the colour `paint` gives.
std::unique_ptr<ZephUI::Image> Painted(int width, int height, const std::function<ArgbColor(int, int)>& paint);

/// An image of one colour.
std::unique_ptr<ZephUI::Image> Solid(int width, int height, ArgbColor colour);

/// Succeeds when every channel differs by at most `tolerance`.
::testing::AssertionResult Near(ArgbColor actual, ArgbColor expected, int tolerance = 0);

/// The smallest rectangle holding every pixel with some alpha; empty when there is none.
ZephUI::Rect InkBounds(const ZephUI::Image& image);

/// Opaque colour from 0xRRGGBB.
constexpr ArgbColor Opaque(std::uint32_t rgb) { return ArgbColor(0xFF000000u | rgb); }

/// A fresh temporary folder, removed with its content afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  /// The folder.
  const std::filesystem::path& Path() const { return path_; }
  /// Writes bytes to a file below the folder and returns its path.
  std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  /// Reads a whole file.
  static std::vector<std::uint8_t> Read(const std::filesystem::path& file);

 private:
  std::filesystem::path path_;
};

}  // namespace renderprobe

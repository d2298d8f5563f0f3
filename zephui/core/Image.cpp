#include "zephui/Image.h"

#include <cairo.h>

#include <utility>

#include "core/ImageFrames.h"
#include "core/RenderCairo.h"

namespace ZephUI {
namespace {

// Undoes cairo's premultiplication for one channel, rounding to nearest.
std::uint8_t Unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
  return static_cast<std::uint8_t>((channel * 255 + alpha / 2) / alpha);
}

}  // namespace

Image::Image(std::unique_ptr<Frames> frames) : frames_(std::move(frames)) {}

Image::~Image() = default;

std::unique_ptr<Image> Image::Create(int width, int height) {
  std::vector<RenderCairo::SurfacePtr> frames;
  frames.push_back(RenderCairo::NewSurface(width, height));
  if (!frames.front()) return nullptr;
  return RenderCairo::MakeImage(std::move(frames));
}

int Image::Width() const { return cairo_image_surface_get_width(frames_->surfaces.front().get()); }

int Image::Height() const { return cairo_image_surface_get_height(frames_->surfaces.front().get()); }

int Image::AnimationFrameCount() const { return static_cast<int>(frames_->surfaces.size()); }

int Image::ActiveAnimationFrame() const { return active_.load(std::memory_order_relaxed); }

bool Image::SelectAnimationFrame(int index) {
  if (index < 0 || index >= AnimationFrameCount()) return false;
  active_.store(index, std::memory_order_relaxed);
  return true;
}

Rect Image::StripFrameRect(int index, int count) const {
  if (count <= 0) count = 1;
  const int frameWidth = Width() / count;
  return Rect{index * frameWidth, 0, (index + 1) * frameWidth, Height()};
}

std::uint32_t* Image::Pixels() {
  cairo_surface_t* surface = RenderCairo::Surface(*this);
  cairo_surface_flush(surface);
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
}

const std::uint32_t* Image::Pixels() const {
  cairo_surface_t* surface = RenderCairo::Surface(*this);
  cairo_surface_flush(surface);
  return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface));
}

int Image::Stride() const { return cairo_image_surface_get_stride(RenderCairo::Surface(*this)); }

void Image::MarkDirty() { cairo_surface_mark_dirty(RenderCairo::Surface(*this)); }

ArgbColor Image::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return ArgbColor();
  cairo_surface_t* surface = RenderCairo::Surface(*this);
  cairo_surface_flush(surface);
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  const std::uint32_t word = reinterpret_cast<const std::uint32_t*>(row)[x];
  const std::uint32_t alpha = word >> 24;
  if (alpha == 0) return ArgbColor();
  return ArgbColor::FromArgb(static_cast<std::uint8_t>(alpha), Unpremultiply((word >> 16) & 0xFF, alpha),
                             Unpremultiply((word >> 8) & 0xFF, alpha), Unpremultiply(word & 0xFF, alpha));
}

bool Image::SavePng(const std::filesystem::path& path) const {
  return cairo_surface_write_to_png(RenderCairo::Surface(*this), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace ZephUI

#include "core/ImageDecoder.h"

#include <fstream>
#include <system_error>

#include "core/ImageBmpReader.h"
#include "core/ImageGifReader.h"
#include "core/ImageIcoReader.h"
#include "core/ImagePngReader.h"
#include "core/RenderCairo.h"

namespace ZephUI {
namespace {

constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

std::unique_ptr<Image> Single(RenderCairo::SurfacePtr surface) {
  if (!surface) return nullptr;
  std::vector<RenderCairo::SurfacePtr> frames;
  frames.push_back(std::move(surface));
  return RenderCairo::MakeImage(std::move(frames));
}

}  // namespace

std::unique_ptr<Image> ImageDecoder::Decode(std::span<const std::uint8_t> bytes, Kind kind) {
  if (ImagePngReader::IsPng(bytes)) return Single(ImagePngReader::Read(bytes));
  if (ImageIcoReader::IsIco(bytes)) return Single(ImageIcoReader::Read(bytes));
  if (ImageBmpReader::IsBmp(bytes)) return Single(ImageBmpReader::Read(bytes, ImageBmpReader::Source::File));
  if (kind == Kind::Picture && ImageGifReader::IsGif(bytes)) return RenderCairo::MakeImage(ImageGifReader::Read(bytes));
  return nullptr;
}

std::optional<std::vector<std::uint8_t>> ImageDecoder::ReadFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxFileBytes) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (file.gcount() != static_cast<std::streamsize>(bytes.size())) return std::nullopt;
  return bytes;
}

}  // namespace ZephUI

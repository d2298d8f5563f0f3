#include "zephui/FontRegistry.h"

#include "core/FontContext.h"
#include "zephui/Text.h"

namespace ZephUI {

std::u16string FontRegistry::AddAppFont(std::u16string_view faceName, const std::filesystem::path& file) {
  FontContext& context = FontContext::Instance();
  auto lock = context.Lock();
  const std::optional<std::string> family = context.AddAppFontFile(file);
  if (!family) return {};
  context.MapFace(std::u16string(faceName), *family);
  return ToUtf16(*family);
}

std::u16string FontRegistry::FindFamily(std::u16string_view faceName) {
  FontContext& context = FontContext::Instance();
  auto lock = context.Lock();
  const std::u16string face(faceName);
  if (const std::optional<std::string> mapped = context.MappedFamily(face)) return ToUtf16(*mapped);
  const std::string installed = ToUtf8(faceName);
  if (!context.HasFamily(installed)) return {};
  context.MapFace(face, installed);
  return face;
}

std::filesystem::path FontRegistry::MatchedFile(const Font& font) {
  FontContext& context = FontContext::Instance();
  auto lock = context.Lock();
  const std::string family = context.MappedFamily(font.Face()).value_or(ToUtf8(font.Face()));
  return context.MatchedFile(FontContext::Describe(family, font.PixelSize(), font.Style()).get());
}

}  // namespace ZephUI

#include "zephui/FontLayoutCache.h"

#include "core/FontContext.h"

namespace ZephUI {

FontLayoutCache::Stats FontLayoutCache::GetStats() {
  FontContext& context = FontContext::Instance();
  auto lock = context.Lock();
  return context.Layouts().Stats();
}

void FontLayoutCache::SetCapacity(std::size_t capacity) {
  FontContext& context = FontContext::Instance();
  auto lock = context.Lock();
  context.Layouts().SetCapacity(capacity);
}

void FontLayoutCache::Clear() {
  FontContext& context = FontContext::Instance();
  auto lock = context.Lock();
  context.Layouts().Clear();
}

}  // namespace ZephUI

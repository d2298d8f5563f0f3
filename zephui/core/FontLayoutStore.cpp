#include "core/FontLayoutStore.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace ZephUI {
namespace {

void Mix(std::size_t& seed, std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2); }

}  // namespace

std::size_t FontLayoutStore::KeyHash::operator()(const FontLayoutKey& key) const {
  std::size_t seed = std::hash<std::string>{}(key.text);
  Mix(seed, std::hash<std::string>{}(key.family));
  Mix(seed, std::hash<int>{}(key.pixelSize));
  Mix(seed, std::hash<std::uint32_t>{}(key.style));
  Mix(seed, std::hash<int>{}(key.width));
  Mix(seed, std::hash<std::uint32_t>{}(key.format));
  return seed;
}

FontLayoutStore::FontLayoutStore(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

PangoLayout* FontLayoutStore::Find(const FontLayoutKey& key) {
  const auto found = index_.find(key);
  if (found == index_.end()) {
    ++misses_;
    return nullptr;
  }
  ++hits_;
  order_.splice(order_.begin(), order_, found->second);
  return found->second->second.get();
}

PangoLayout* FontLayoutStore::Insert(const FontLayoutKey& key, LayoutPtr layout) {
  const auto found = index_.find(key);
  if (found != index_.end()) {
    order_.erase(found->second);
    index_.erase(found);
  }
  order_.emplace_front(key, std::move(layout));
  index_.emplace(key, order_.begin());
  PangoLayout* stored = order_.front().second.get();
  Trim();
  return stored;
}

void FontLayoutStore::Clear() {
  index_.clear();
  order_.clear();
}

void FontLayoutStore::SetCapacity(std::size_t capacity) {
  capacity_ = std::max<std::size_t>(capacity, 1);
  Trim();
}

FontLayoutCache::Stats FontLayoutStore::Stats() const {
  return FontLayoutCache::Stats{hits_, misses_, order_.size(), capacity_};
}

void FontLayoutStore::Trim() {
  while (order_.size() > capacity_) {
    index_.erase(order_.back().first);
    order_.pop_back();
  }
}

}  // namespace ZephUI

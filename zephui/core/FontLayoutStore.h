// The least-recently-used store of Pango layouts behind FontLayoutCache.
// Not locked itself: FontContext's lock guards it with all other Pango work.
#pragma once

#include <pango/pango.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "zephui/FontLayoutCache.h"

namespace ZephUI {

/// What a layout depends on; draw-time details (colour, position, vertical alignment) are not part of it.
struct FontLayoutKey {
  std::string text;        ///< UTF-8 text
  std::string family;      ///< resolved family
  int pixelSize = 0;       ///< font size in pixels
  std::uint32_t style = 0; ///< FontStyle bits
  int width = -1;          ///< wrapping or ellipsis width in pixels; -1 when the layout is unbounded
  std::uint32_t format = 0;///< the TextFormat bits that change the layout

  /// Equal when every field is.
  bool operator==(const FontLayoutKey&) const = default;
};

/// Bounded store of layouts, least recently used dropped first.
class FontLayoutStore {
 public:
  /// Releases a layout reference.
  struct LayoutRelease {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
  };
  /// An owned layout reference.
  using LayoutPtr = std::unique_ptr<PangoLayout, LayoutRelease>;

  /// A store holding at most `capacity` layouts.
  explicit FontLayoutStore(std::size_t capacity);

  /// The layout for `key`, counted as a hit; none (counted as a miss) when absent.
  PangoLayout* Find(const FontLayoutKey& key);
  /// Stores a layout for `key` and returns it, dropping the least recently used beyond the capacity.
  PangoLayout* Insert(const FontLayoutKey& key, LayoutPtr layout);
  /// Drops every layout.
  void Clear();
  /// Sets the capacity (at least 1) and trims.
  void SetCapacity(std::size_t capacity);
  /// Counters and sizes.
  FontLayoutCache::Stats Stats() const;

 private:
  struct KeyHash {
    std::size_t operator()(const FontLayoutKey& key) const;
  };
  using Entry = std::pair<FontLayoutKey, LayoutPtr>;

  void Trim();

  std::size_t capacity_;
  std::list<Entry> order_;  // most recently used first
  std::unordered_map<FontLayoutKey, std::list<Entry>::iterator, KeyHash> index_;
  std::uint64_t hits_ = 0;
  std::uint64_t misses_ = 0;
};

}  // namespace ZephUI

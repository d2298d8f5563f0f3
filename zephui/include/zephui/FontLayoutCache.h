// The cache of laid-out texts. Laying out a text is the expensive part of
// drawing it, and controls redraw the same few texts over and over.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zephui/Export.h"

namespace ZephUI {

/// Process-wide, bounded, thread-safe cache of text layouts keyed by text, font, width and format.
class ZEPHUI_API FontLayoutCache {
 public:
  FontLayoutCache() = delete;

  /// Counters of the cache.
  struct Stats {
    std::uint64_t hits = 0;    ///< lookups served from the cache
    std::uint64_t misses = 0;  ///< lookups that laid the text out anew
    std::size_t entries = 0;   ///< layouts held now
    std::size_t capacity = 0;  ///< most layouts held at once
  };

  /// The current counters.
  static Stats GetStats();
  /// Sets the most layouts held (at least 1), dropping the least recently used beyond it.
  static void SetCapacity(std::size_t capacity);
  /// Drops every layout; the counters stay.
  static void Clear();
};

}  // namespace ZephUI

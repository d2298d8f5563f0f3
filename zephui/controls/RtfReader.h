// Reads the RTF subset the rich edit field writes, and skips the rest of
// what other writers put in: unknown control words, font tables and
// starred destinations. Whatever the input, reading ends after one pass
// over it with bounded nesting, so hostile files cannot crash or stall it.
#pragma once

#include <string_view>

#include "controls/RtfWriter.h"

namespace ZephUI {

/// Parses RTF into rich text.
class RtfReader {
 public:
  /// Reads `rtf` into `rich` as far as it can; false when the document is malformed or truncated.
  static bool Read(std::string_view rtf, RichText& rich);
};

}  // namespace ZephUI

// Writes rich text as a small RTF subset: paragraphs, bold, colours from a
// colour table and font sizes, every unit outside printable ASCII as \u.
#pragma once

#include <string>
#include <vector>

#include "zephui/EditEngine.h"

namespace ZephUI {

/// Text with its formatting runs, as the rich edit field holds it.
struct RichText {
  std::u16string text;          ///< the UTF-16 text
  std::vector<TextRun> runs;    ///< its runs, later ones over earlier ones
};

/// Serialises rich text into RTF.
class RtfWriter {
 public:
  /// The RTF document of `rich`.
  static std::string Write(const RichText& rich);
};

}  // namespace ZephUI

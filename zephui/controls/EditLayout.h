// The laid-out text of an editor: Pango places the glyphs, and every caret
// position, word step, hit test and caret rectangle comes from its layout,
// so right-to-left runs, combining marks and surrogate pairs behave as the
// script wants. Indices are UTF-16 code units of the editor's text.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/EditEngine.h"
#include "zephui/Font.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// One Pango layout of an editor's text with the index mapping between UTF-16 and the layout.
class EditLayout {
 public:
  EditLayout();
  ~EditLayout();
  EditLayout(const EditLayout&) = delete;
  EditLayout& operator=(const EditLayout&) = delete;

  /// Lays out `text`, each character shown as `mask` when it is not 0; `wrapWidth` > 0 wraps multi-line text,
  /// whose lines stand by `align`; font sizes are multiplied by `scale`.
  void Set(std::u16string_view text, const Font& font, char16_t mask, EditLines lines, int wrapWidth,
           const std::vector<TextRun>& runs, double scale = 1.0, ParagraphAlign align = ParagraphAlign::Left);
  /// The laid-out lines in order, as Pango broke them.
  std::vector<TextLine> Lines() const;
  /// The logical size of the whole text.
  Size Extent() const;
  /// The caret at `index`: x, top and line height (width 1).
  Rect CaretRect(int index) const;
  /// The caret position nearest to a layout point.
  int IndexAt(Point point) const;
  /// The next caret position in screen order: `direction` 1 right, -1 left.
  int MoveVisually(int index, int direction) const;
  /// The next (1) or previous (-1) caret position in text order.
  int StepCharacter(int index, int direction) const;
  /// The next word start after `index` (1) or the word start before it (-1).
  int StepWord(int index, int direction) const;
  /// The start and end of the word around `index`.
  std::pair<int, int> WordAround(int index) const;
  /// The start (`toEnd` false) or end of the line holding `index`.
  int LineEdge(int index, bool toEnd) const;
  /// The position one line up (-1) or down (1) at the same x; unchanged on the first or last line.
  int StepLine(int index, int direction) const;
  /// Draws the text with its top-left corner at `origin`, selected units [from, to) over `selection`.
  void Draw(RenderContext& target, Point origin, ArgbColor ink, int from, int to, ArgbColor selection) const;

 private:
  struct Pango;
  /// The code point that holds UTF-16 index `index`.
  int PointOf(int index) const;
  /// The UTF-16 index where code point `point` starts.
  int UnitOf(int point) const;
  /// The layout byte index of UTF-16 index `index`.
  int ByteOf(int index) const;
  /// The UTF-16 index of layout byte `byte`.
  int UnitOfByte(int byte) const;
  /// The caret position at `byte` moved over `trailing` characters.
  int UnitAfterTrailing(int byte, int trailing) const;

  std::unique_ptr<Pango> pango_;
  std::vector<int> units_;        ///< UTF-16 index where each code point starts, then the length
  std::vector<int> bytes_;        ///< layout byte where each code point starts, then the byte length
  std::vector<char> cursorStop_;  ///< per code point (and the end): a caret may stand before it
  std::vector<char> wordStart_;   ///< per code point (and the end): a word starts here
  std::vector<char> wordEnd_;     ///< per code point (and the end): a word ends here
};

}  // namespace ZephUI

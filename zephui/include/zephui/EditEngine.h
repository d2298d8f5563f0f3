// The text-editing engine behind every editable field: the text, the caret
// and the selection, the last change for undo, the field's rules (read-only,
// digits only, a length limit in UTF-16 units, one line or many, a password
// mask) and the keys of a desktop text field. Caret positions, word steps and
// hit tests come from the text's Pango layout, so combining marks, surrogate
// pairs and right-to-left runs are never split or walked the wrong way.
// Drawing and windows are the caller's; the engine only lays the text out.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/Font.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

class EditLayout;

/// Whether a field holds one line or many.
enum class EditLines { Single, Multi };
/// Whether a field's text may be changed by the user.
enum class EditAccess { Writable, ReadOnly };
/// Which characters a field accepts from the user.
enum class CharFilter { Any, Digits };
/// Whether a caret move carries the selection's far end with it (Shift) or drops the selection.
enum class SelectionMove { Move, Extend };
/// How far one caret step goes.
enum class CaretStep { Character, Word };
/// What an editing operation did.
enum class EditOutcome { Ignored, CaretMoved, TextChanged };
/// Where the lines of a paragraph stand between the edges of the wrap width.
enum class ParagraphAlign { Left, Centre, Right };
/// The weight of a run of rich text.
enum class RunWeight { Inherit, Bold };

/// Modifier keys held with an editing key.
enum class EditKeys : std::uint32_t {
  None = 0x0,   ///< no modifier
  Shift = 0x1,  ///< Shift
  Ctrl = 0x2,   ///< Ctrl
};

/// Combines two modifier sets.
constexpr EditKeys operator|(EditKeys a, EditKeys b) {
  return static_cast<EditKeys>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}

/// True when `key` is among `held`.
constexpr bool Holds(EditKeys held, EditKeys key) {
  return (static_cast<std::uint32_t>(held) & static_cast<std::uint32_t>(key)) != 0;
}

/// A formatted stretch [from, to) of rich text; fields left at their defaults inherit the field's font.
struct TextRun {
  int from = 0;                      ///< first UTF-16 unit
  int to = 0;                        ///< one past the last unit
  ArgbColor colour{};                ///< text colour; alpha 0 inherits
  int pixelSize = 0;                 ///< font size in pixels; 0 inherits
  RunWeight bold = RunWeight::Inherit;  ///< weight
};

/// One laid-out line: its text [start, start + length) without the line break, and its pixel band.
struct TextLine {
  int start = 0;   ///< first UTF-16 unit
  int length = 0;  ///< UTF-16 units up to the break
  int top = 0;     ///< top in layout pixels
  int height = 0;  ///< height in pixels
};

/// Text, caret, selection, undo and rules of one editable field.
class ZEPHUI_API EditEngine {
 public:
  /// An empty, writable, single-line field without limit, in the default font.
  EditEngine();
  ~EditEngine();
  EditEngine(const EditEngine&) = delete;
  EditEngine& operator=(const EditEngine&) = delete;

  // ---- text and rules ----
  /// Replaces the whole text (no rule applies, nothing to undo); the caret goes to the end.
  void SetText(std::u16string text);
  /// The text.
  const std::u16string& Text() const;
  /// The most UTF-16 units the user may bring the text to; 0 or less: no limit.
  void SetLimit(int units);
  /// The limit; 0 for none.
  int Limit() const;
  /// One line or many; a single-line field keeps only the first line of what is pasted.
  void SetLines(EditLines lines);
  /// One line or many.
  EditLines Lines() const;
  /// Writable or read-only (a read-only field still moves, selects and copies).
  void SetAccess(EditAccess access);
  /// Writable or read-only.
  EditAccess Access() const;
  /// Which characters typing and pasting keep.
  void SetFilter(CharFilter filter);
  /// Shows every character as `mask` (0: the text itself); a masked field never copies or cuts.
  void SetMask(char16_t mask);
  /// The mask character; 0 for none.
  char16_t Mask() const;
  /// The font the text is laid out in.
  void SetFont(const Font& font);
  /// The width multi-line text wraps at; 0 or less: no wrapping.
  void SetWrapWidth(int width);
  /// Formatting runs of rich text; edits move them with their characters.
  void SetRuns(std::vector<TextRun> runs);
  /// The formatting runs.
  const std::vector<TextRun>& Runs() const;

  // ---- caret and selection ----
  /// The caret's index in UTF-16 units.
  int Caret() const;
  /// The fixed end of the selection (equal to the caret when nothing is selected).
  int Anchor() const;
  /// The selection as an ordered pair [start, end).
  std::pair<int, int> Selection() const;
  /// True when some text is selected.
  bool HasSelection() const;
  /// Selects [anchor, caret), both clamped to the text and moved off the middle of a character.
  void SetSelection(int anchor, int caret);
  /// Selects everything, the caret at the end.
  void SelectAll();
  /// The selected text.
  std::u16string SelectedText() const;

  // ---- editing ----
  /// Replaces the selection with `text` as typing or pasting does: filtered, cut to the limit; one undo step.
  EditOutcome Insert(std::u16string_view text);
  /// One typed UTF-16 unit (a character message): surrogate halves are joined, control characters ignored
  /// (a carriage return is a new line in a multi-line field); consecutive typing is one undo step.
  EditOutcome TypeUnit(char16_t unit);
  /// Deletes the selection, else the character (or word) before the caret.
  EditOutcome Backspace(CaretStep step);
  /// Deletes the selection, else the character (or word) after the caret.
  EditOutcome Delete(CaretStep step);
  /// Takes back the last change; a second undo restores it.
  EditOutcome Undo();
  /// True when there is a change to take back.
  bool CanUndo() const;
  /// Copies the selection to the clipboard, then deletes it.
  EditOutcome Cut();
  /// Copies the selection to the clipboard; false when nothing was copied.
  bool Copy() const;
  /// Inserts the clipboard's text.
  EditOutcome Paste();
  /// A key of a text field: arrows, Home, End, Backspace, Delete, Ctrl+A/C/X/V/Z, Shift+Delete, Ctrl/Shift+Insert.
  EditOutcome HandleKey(std::uint32_t vk, EditKeys held);

  // ---- caret moves ----
  /// One step right (1) or left (-1) on the screen, or one word forward or back in the text.
  EditOutcome MoveHorizontal(int direction, CaretStep step, SelectionMove move);
  /// One line down (1) or up (-1).
  EditOutcome MoveVertical(int direction, SelectionMove move);
  /// To the start (`toEnd` false) or end of the caret's line.
  EditOutcome MoveToLineEdge(bool toEnd, SelectionMove move);
  /// To the start or end of the text.
  EditOutcome MoveToTextEdge(bool toEnd, SelectionMove move);
  /// Puts the caret at the position nearest a point of the layout.
  EditOutcome PlaceCaret(Point layoutPoint, SelectionMove move);
  /// Selects the word at a point of the layout.
  void SelectWordAt(Point layoutPoint);

  // ---- layout ----
  /// Aligns the lines of every paragraph within the wrap width.
  void SetAlignment(ParagraphAlign align);
  /// Scales every font size of the layout (1 is the text's own size).
  void SetScale(double scale);
  /// The laid-out lines, as Pango broke the text.
  std::vector<TextLine> LaidOutLines() const;
  /// The size of the laid-out text.
  Size LayoutSize() const;
  /// The caret in layout coordinates (1 pixel wide, one line high).
  Rect CaretRect() const;
  /// Draws the text with the layout's top-left corner at `origin`, the selection filled with `selection`.
  void Draw(RenderContext& target, Point origin, ArgbColor ink, ArgbColor selection) const;

 private:
  /// The text before a change, for Undo.
  struct Snapshot {
    std::u16string text;
    int caret = 0;
    int anchor = 0;
    std::vector<TextRun> runs;
  };
  /// The layout of the current text, made again after every change.
  const EditLayout& Layout() const;
  /// Moves the caret to `index`, dragging the anchor along unless extending.
  EditOutcome MoveTo(int index, SelectionMove move);
  /// Replaces [from, to) with `text` (already filtered), recording the undo step unless typing continues.
  EditOutcome Replace(int from, int to, std::u16string_view text);
  /// Moves the runs over a change of [from, to) into `inserted` units.
  void ShiftRuns(int from, int to, int inserted);
  /// What `text` leaves after the filter, the line rule and the limit (with `removed` units going away).
  std::u16string Admit(std::u16string_view text, int removed) const;
  /// True when the user may change the text.
  bool Writable() const;

  std::u16string text_;
  int caret_ = 0;
  int anchor_ = 0;
  int limit_ = 0;
  EditLines lines_ = EditLines::Single;
  EditAccess access_ = EditAccess::Writable;
  CharFilter filter_ = CharFilter::Any;
  char16_t mask_ = 0;
  Font font_;
  int wrapWidth_ = 0;
  double scale_ = 1.0;
  ParagraphAlign align_ = ParagraphAlign::Left;
  std::vector<TextRun> runs_;
  std::optional<Snapshot> undo_;
  bool typing_ = false;             ///< the last change was typing: more typing joins its undo step
  char16_t pendingHigh_ = 0;        ///< first half of a surrogate pair typed so far
  std::unique_ptr<EditLayout> layout_;
  mutable bool layoutValid_ = false;
};

}  // namespace ZephUI

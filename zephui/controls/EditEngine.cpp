#include "zephui/EditEngine.h"

#include <algorithm>
#include <utility>

#include "controls/EditLayout.h"
#include "zephui/Clipboard.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsLineBreak(char16_t unit) { return unit == u'\n' || unit == u'\r'; }

// Keeps what the filter lets through; line breaks become "\n" (one unit each) in multi-line text.
std::u16string Filtered(std::u16string_view text, CharFilter filter, EditLines lines) {
  std::u16string kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsLineBreak(unit)) {
      if (lines == EditLines::Single) break;  // a single-line field takes the first line
      if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      if (filter == CharFilter::Any) kept += u'\n';
      continue;
    }
    if (filter == CharFilter::Digits ? (unit < u'0' || unit > u'9') : (unit < 0x20 && unit != u'\t')) continue;
    kept += unit;
  }
  return kept;
}

// Cuts to at most `room` units without leaving half a surrogate pair.
void CutToRoom(std::u16string& text, int room) {
  if (room < 0) room = 0;
  if (static_cast<int>(text.size()) <= room) return;
  std::size_t size = static_cast<std::size_t>(room);
  if (size > 0 && IsHighSurrogate(text[size - 1])) --size;
  text.resize(size);
}

}  // namespace

EditEngine::EditEngine() : font_(Font::Default()), layout_(std::make_unique<EditLayout>()) {}

EditEngine::~EditEngine() = default;

void EditEngine::SetText(std::u16string text) {
  text_ = std::move(text);
  caret_ = anchor_ = static_cast<int>(text_.size());
  undo_.reset();
  typing_ = false;
  layoutValid_ = false;
}

const std::u16string& EditEngine::Text() const { return text_; }

void EditEngine::SetLimit(int units) { limit_ = std::max(units, 0); }

int EditEngine::Limit() const { return limit_; }

void EditEngine::SetLines(EditLines lines) {
  lines_ = lines;
  layoutValid_ = false;
}

EditLines EditEngine::Lines() const { return lines_; }

void EditEngine::SetAccess(EditAccess access) { access_ = access; }

EditAccess EditEngine::Access() const { return access_; }

void EditEngine::SetFilter(CharFilter filter) { filter_ = filter; }

void EditEngine::SetMask(char16_t mask) {
  mask_ = mask;
  layoutValid_ = false;
}

char16_t EditEngine::Mask() const { return mask_; }

void EditEngine::SetFont(const Font& font) {
  font_ = font;
  layoutValid_ = false;
}

void EditEngine::SetWrapWidth(int width) {
  wrapWidth_ = width;
  layoutValid_ = false;
}

void EditEngine::SetRuns(std::vector<TextRun> runs) {
  runs_ = std::move(runs);
  layoutValid_ = false;
}

const std::vector<TextRun>& EditEngine::Runs() const { return runs_; }

int EditEngine::Caret() const { return caret_; }

int EditEngine::Anchor() const { return anchor_; }

std::pair<int, int> EditEngine::Selection() const { return {std::min(caret_, anchor_), std::max(caret_, anchor_)}; }

bool EditEngine::HasSelection() const { return caret_ != anchor_; }

void EditEngine::SetSelection(int anchor, int caret) {
  const int size = static_cast<int>(text_.size());
  // A position inside a character snaps back to its start.
  const auto snap = [this, size](int index) {
    index = std::clamp(index, 0, size);
    if (index > 0 && index < size && IsLowSurrogate(text_[static_cast<std::size_t>(index)]) &&
        IsHighSurrogate(text_[static_cast<std::size_t>(index - 1)])) {
      --index;
    }
    return index;
  };
  anchor_ = snap(anchor);
  caret_ = snap(caret);
  typing_ = false;
}

void EditEngine::SelectAll() { SetSelection(0, static_cast<int>(text_.size())); }

std::u16string EditEngine::SelectedText() const {
  const auto [from, to] = Selection();
  return text_.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

bool EditEngine::Writable() const { return access_ == EditAccess::Writable; }

std::u16string EditEngine::Admit(std::u16string_view text, int removed) const {
  std::u16string kept = Filtered(text, filter_, lines_);
  if (limit_ > 0) CutToRoom(kept, limit_ - (static_cast<int>(text_.size()) - removed));
  return kept;
}

EditOutcome EditEngine::Insert(std::u16string_view text) {
  if (!Writable()) return EditOutcome::Ignored;
  const auto [from, to] = Selection();
  const std::u16string kept = Admit(text, to - from);
  if (kept.empty() && (from == to || !text.empty())) return EditOutcome::Ignored;  // nothing admitted: keep the selection
  typing_ = false;
  return Replace(from, to, kept);
}

EditOutcome EditEngine::TypeUnit(char16_t unit) {
  if (!Writable()) return EditOutcome::Ignored;
  if (IsHighSurrogate(unit)) {
    pendingHigh_ = unit;
    return EditOutcome::Ignored;
  }
  std::u16string typed;
  if (IsLowSurrogate(unit)) {
    if (pendingHigh_ == 0) return EditOutcome::Ignored;
    typed = {pendingHigh_, unit};
  } else if (unit < 0x20 && unit != u'\r') {
    return EditOutcome::Ignored;  // Tab, Escape, Backspace and Ctrl+letters arrive as keys
  } else {
    typed = std::u16string(1, unit == u'\r' ? u'\n' : unit);
  }
  pendingHigh_ = 0;
  const auto [from, to] = Selection();
  const std::u16string kept = Admit(typed, to - from);
  if (kept.size() != typed.size()) return EditOutcome::Ignored;  // refused characters change nothing
  // The undo step started by the first typed character covers the whole run.
  if (from != to) typing_ = false;
  const EditOutcome outcome = Replace(from, to, kept);
  typing_ = true;
  return outcome;
}

EditOutcome EditEngine::Backspace(CaretStep step) {
  if (!Writable()) return EditOutcome::Ignored;
  typing_ = false;
  if (HasSelection()) return Replace(Selection().first, Selection().second, u"");
  const int from = step == CaretStep::Word ? Layout().StepWord(caret_, -1) : Layout().StepCharacter(caret_, -1);
  return from < caret_ ? Replace(from, caret_, u"") : EditOutcome::Ignored;
}

EditOutcome EditEngine::Delete(CaretStep step) {
  if (!Writable()) return EditOutcome::Ignored;
  typing_ = false;
  if (HasSelection()) return Replace(Selection().first, Selection().second, u"");
  const int to = step == CaretStep::Word ? Layout().StepWord(caret_, 1) : Layout().StepCharacter(caret_, 1);
  return to > caret_ ? Replace(caret_, to, u"") : EditOutcome::Ignored;
}

EditOutcome EditEngine::Replace(int from, int to, std::u16string_view text) {
  if (!typing_) undo_ = Snapshot{text_, caret_, anchor_, runs_};
  text_.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
  ShiftRuns(from, to, static_cast<int>(text.size()));
  caret_ = anchor_ = from + static_cast<int>(text.size());
  layoutValid_ = false;
  return EditOutcome::TextChanged;
}

// Runs follow their characters: text inserted inside a run joins it, text
// inserted at its edges stays outside, and a run whose text is deleted goes.
void EditEngine::ShiftRuns(int from, int to, int inserted) {
  const int delta = inserted - (to - from);
  std::vector<TextRun> kept;
  for (TextRun run : runs_) {
    run.from = run.from < from ? run.from : run.from > to ? run.from + delta : from + inserted;
    run.to = run.to <= from ? run.to : run.to > to ? run.to + delta : from;
    if (run.to > run.from) kept.push_back(run);
  }
  runs_ = std::move(kept);
}

EditOutcome EditEngine::Undo() {
  if (!undo_ || !Writable()) return EditOutcome::Ignored;
  Snapshot before{text_, caret_, anchor_, runs_};
  text_ = std::move(undo_->text);
  caret_ = undo_->caret;
  anchor_ = undo_->anchor;
  runs_ = std::move(undo_->runs);
  undo_ = std::move(before);
  typing_ = false;
  layoutValid_ = false;
  return EditOutcome::TextChanged;
}

bool EditEngine::CanUndo() const { return undo_.has_value() && Writable(); }

EditOutcome EditEngine::Cut() {
  if (!Writable() || !Copy()) return EditOutcome::Ignored;
  typing_ = false;
  return Replace(Selection().first, Selection().second, u"");
}

bool EditEngine::Copy() const {
  if (!HasSelection() || mask_ != 0) return false;  // a password never leaves its field
  return SetClipboardText(SelectedText());
}

EditOutcome EditEngine::Paste() {
  if (!Writable()) return EditOutcome::Ignored;
  const std::optional<std::u16string> text = GetClipboardText();
  return text ? Insert(*text) : EditOutcome::Ignored;
}

const EditLayout& EditEngine::Layout() const {
  if (!layoutValid_) {
    layout_->Set(text_, font_, mask_, lines_, wrapWidth_, runs_, scale_, align_);
    layoutValid_ = true;
  }
  return *layout_;
}

EditOutcome EditEngine::MoveTo(int index, SelectionMove move) {
  const int anchor = move == SelectionMove::Extend ? anchor_ : index;
  if (index == caret_ && anchor == anchor_) return EditOutcome::Ignored;
  caret_ = index;
  anchor_ = anchor;
  typing_ = false;
  return EditOutcome::CaretMoved;
}

EditOutcome EditEngine::MoveHorizontal(int direction, CaretStep step, SelectionMove move) {
  // Without Shift an arrow first collapses a selection to the side it points to.
  if (HasSelection() && move == SelectionMove::Move && step == CaretStep::Character) {
    return MoveTo(direction > 0 ? Selection().second : Selection().first, move);
  }
  const int index =
      step == CaretStep::Word ? Layout().StepWord(caret_, direction) : Layout().MoveVisually(caret_, direction);
  return MoveTo(index, move);
}

EditOutcome EditEngine::MoveVertical(int direction, SelectionMove move) {
  if (lines_ == EditLines::Single) return EditOutcome::Ignored;
  return MoveTo(Layout().StepLine(caret_, direction), move);
}

EditOutcome EditEngine::MoveToLineEdge(bool toEnd, SelectionMove move) {
  return MoveTo(Layout().LineEdge(caret_, toEnd), move);
}

EditOutcome EditEngine::MoveToTextEdge(bool toEnd, SelectionMove move) {
  return MoveTo(toEnd ? static_cast<int>(text_.size()) : 0, move);
}

EditOutcome EditEngine::PlaceCaret(Point layoutPoint, SelectionMove move) {
  return MoveTo(Layout().IndexAt(layoutPoint), move);
}

void EditEngine::SelectWordAt(Point layoutPoint) {
  const auto [from, to] = Layout().WordAround(Layout().IndexAt(layoutPoint));
  SetSelection(from, to);
}

EditOutcome EditEngine::HandleKey(std::uint32_t vk, EditKeys held) {
  const SelectionMove move = Holds(held, EditKeys::Shift) ? SelectionMove::Extend : SelectionMove::Move;
  const bool ctrl = Holds(held, EditKeys::Ctrl);
  const CaretStep step = ctrl ? CaretStep::Word : CaretStep::Character;
  switch (vk) {
    case VK_LEFT: return MoveHorizontal(-1, step, move);
    case VK_RIGHT: return MoveHorizontal(1, step, move);
    case VK_UP: return MoveVertical(-1, move);
    case VK_DOWN: return MoveVertical(1, move);
    case VK_HOME: return ctrl ? MoveToTextEdge(false, move) : MoveToLineEdge(false, move);
    case VK_END: return ctrl ? MoveToTextEdge(true, move) : MoveToLineEdge(true, move);
    case VK_BACK: return Backspace(step);
    case VK_DELETE: return move == SelectionMove::Extend ? Cut() : Delete(step);
    case VK_INSERT:
      if (move == SelectionMove::Extend) return Paste();
      return ctrl && Copy() ? EditOutcome::CaretMoved : EditOutcome::Ignored;
    default: break;
  }
  if (!ctrl) return EditOutcome::Ignored;
  switch (vk) {
    case 'A': SelectAll(); return EditOutcome::CaretMoved;
    case 'C': return Copy() ? EditOutcome::CaretMoved : EditOutcome::Ignored;
    case 'X': return Cut();
    case 'V': return Paste();
    case 'Z': return Undo();
    default: return EditOutcome::Ignored;
  }
}

void EditEngine::SetAlignment(ParagraphAlign align) {
  align_ = align;
  layoutValid_ = false;
}

void EditEngine::SetScale(double scale) {
  scale_ = scale > 0 ? scale : 1.0;
  layoutValid_ = false;
}

std::vector<TextLine> EditEngine::LaidOutLines() const { return Layout().Lines(); }

Size EditEngine::LayoutSize() const { return Layout().Extent(); }

Rect EditEngine::CaretRect() const { return Layout().CaretRect(caret_); }

void EditEngine::Draw(RenderContext& target, Point origin, ArgbColor ink, ArgbColor selection) const {
  const auto [from, to] = Selection();
  Layout().Draw(target, origin, ink, from, to, selection);
}

}  // namespace ZephUI

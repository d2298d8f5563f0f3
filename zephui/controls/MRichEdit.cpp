#include "zephui/MRichEdit.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "controls/RtfReader.h"
#include "controls/RtfWriter.h"
#include "zephui/InputMethod.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/MenuWnd.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Text.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kInset = 4;
constexpr int kStreamChunk = 4096;
constexpr std::size_t kHistoryDepth = 100;

bool Down(std::uint32_t vk) { return (GetKeyState(vk) & 0x8000) != 0; }

EditKeys HeldKeys() {
  EditKeys held = EditKeys::None;
  if (Down(VK_SHIFT)) held = held | EditKeys::Shift;
  if (Down(VK_CONTROL)) held = held | EditKeys::Ctrl;
  return held;
}

}  // namespace

MRichEdit::MRichEdit(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible,
                     bool enabled)
    : MPanel(parent, id, rect, visible) {
  enabled_ = enabled;  // set directly: nothing to repaint while constructing
  SetTabStop(true);
  engine_.SetText(std::move(text));
  engine_.SetFont(Font::Default());
  ResetHistory();
}

MRichEdit::~MRichEdit() = default;

Point MRichEdit::TextOrigin() const {
  const int height = engine_.LayoutSize().height;
  if (engine_.Lines() == EditLines::Multi) {
    const std::vector<TextLine> lines = engine_.LaidOutLines();
    const auto first = static_cast<std::size_t>(firstLine_);
    const int scrollY = first < lines.size() ? lines[first].top : 0;
    return Point{rect_.left + leftInset_ - scrollX_, rect_.top + kInset - scrollY};
  }
  return Point{rect_.left + leftInset_ - scrollX_, rect_.top + (rect_.Height() - height) / 2};
}

Point MRichEdit::LayoutPoint(Point window) const {
  const Point origin = TextOrigin();
  return Point{window.x - origin.x, window.y - origin.y};
}

void MRichEdit::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  MRender::DrawColor(hdc, rect_, back_);
  hdc.Save();
  hdc.ClipRect(Rect{rect_.left + leftInset_, rect_.top, rect_.right - kInset, rect_.bottom});
  const ArgbColor ink = IsEnabled() ? GetTextColor() : ArgbColor(0xFF808080);
  engine_.Draw(hdc, TextOrigin(), ink, IsFocused() ? Manager::GetSelectColor() : ArgbColor());
  hdc.Restore();
}

int MRichEdit::OnControlLButtonDown(std::uint32_t flags, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  pressed_ = true;
  const SelectionMove move = (flags & MK_SHIFT) != 0 ? SelectionMove::Extend : SelectionMove::Move;
  After(engine_.PlaceCaret(LayoutPoint(point), move));
  SendMessageW(NOTIFY_PRESSED, 0, 0);
  return 1;
}

int MRichEdit::OnControlMouseMove(std::uint32_t flags, Point point) {
  if (!pressed_ || (flags & MK_LBUTTON) == 0) return PtInRect(point) ? 1 : 0;
  After(engine_.PlaceCaret(LayoutPoint(point), SelectionMove::Extend));
  return 1;
}

int MRichEdit::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  const bool wasPressed = std::exchange(pressed_, false);
  if (wasPressed && PtInRect(point)) SendMessageW(NOTIFY_CLICKED, 0, 0);
  return wasPressed ? 1 : 0;
}

int MRichEdit::OnControlLButtonDblClk(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  engine_.SelectWordAt(LayoutPoint(point));
  After(EditOutcome::CaretMoved);
  return 1;
}

int MRichEdit::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (!IsFocused() || !IsEnabled()) return MPanel::OnControlKeyDown(key, repeat, modifiers);
  if (key == 'Y' && Down(VK_CONTROL)) return Redo();
  if (key == 'Z' && Down(VK_CONTROL)) return Undo();
  const EditOutcome outcome = engine_.HandleKey(key, HeldKeys());
  if (outcome == EditOutcome::Ignored) return MPanel::OnControlKeyDown(key, repeat, modifiers);
  After(outcome);
  return 1;
}

int MRichEdit::OnControlRButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  return OpenContextMenu(point) ? 1 : 0;
}

bool MRichEdit::OpenContextMenu(Point point) {
  if (manager_ == nullptr || !ClientToScreen(manager_->GetPaintWnd(), point)) return false;
  struct Row {
    const char16_t* title;
    int command;
  };
  static constexpr Row kRows[] = {
      {u"Undo(&U)", RICHEDIT_UNDO},   {u"Redo(&R)", RICHEDIT_REDO},   {nullptr, 0},
      {u"Cut(&X)", RICHEDIT_CUT},     {u"Copy(&C)", RICHEDIT_COPY},   {u"Paste(&V)", RICHEDIT_PASTE},
      {u"Clear(&L)", RICHEDIT_CLEAR}, {nullptr, 0},                   {u"SelectAll(&A)", RICHEDIT_SELECT_ALL},
  };
  // The menu reports to the host window, never to us, and deletes itself when it closes.
  auto* menu = new MenuWnd(nullptr);
  for (const Row& row : kRows) {
    if (row.title == nullptr) {
      menu->AddSeparator(0, u"");
      continue;
    }
    menu->AddMenu(row.title, static_cast<std::uint32_t>(row.command), u"", 0, 0);
    menu->SetItemEnable(row.title, IsCommandEnabled(row.command));
  }
  if (menu->Create(manager_->GetPaintWnd(), point, WM_COMMAND) == 0) {
    delete menu;
    return false;
  }
  menuPending_ = true;
  return true;
}

LRESULT MRichEdit::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Only our menu's report: it carries 0 and one of the menu's command numbers.
  if (msg == WM_COMMAND && menuPending_ && wParam == 0 && lParam >= RICHEDIT_UNDO && lParam <= RICHEDIT_REDO) {
    menuPending_ = false;
    RunCommand(static_cast<int>(lParam));
    return 1;
  }
  if (msg != WM_CHAR || !IsFocused() || !IsEnabled() || Down(VK_CONTROL)) {
    return MPanel::OnWindowMessage(msg, wParam, lParam);
  }
  typing_ = true;
  After(engine_.TypeUnit(static_cast<char16_t>(wParam)));
  typing_ = false;
  return 1;
}

int MRichEdit::SetControlFocus(FocusChange focus) {
  const int result = MPanel::SetControlFocus(focus);
  if (manager_ != nullptr) {
    if (focus == FocusChange::Give) {
      manager_->CreateCaret(nullptr, 1, std::max(engine_.CaretRect().Height(), 1));
      PlaceCaret();
    }
    manager_->ShowCaret(focus == FocusChange::Give);
  }
  UpdateControl(CacheReset::Keep);
  return result;
}

void MRichEdit::PlaceCaret() {
  if (manager_ == nullptr || !IsFocused()) return;
  const int width = rect_.Width() - leftInset_ - kInset;
  const int caretX = engine_.CaretRect().left;
  if (caretX - scrollX_ >= width) scrollX_ = caretX - width + 1;
  if (caretX - scrollX_ < 0) scrollX_ = caretX;
  const Point origin = TextOrigin();
  const Rect caret = engine_.CaretRect();
  manager_->SetCaretPos(this, origin.x + caret.left, origin.y + caret.top);
  SetInputMethodSpot(manager_->GetPaintWnd(), Point{origin.x + caret.left, origin.y + caret.bottom});
}

void MRichEdit::After(EditOutcome outcome) {
  if (outcome == EditOutcome::Ignored) return;
  if (outcome == EditOutcome::TextChanged) {
    if (!(typing_ && lastTyped_)) undo_.push_back(std::move(current_));
    if (undo_.size() > kHistoryDepth) undo_.erase(undo_.begin());
    lastTyped_ = typing_;
    redo_.clear();
  }
  current_ = Capture();
  PlaceCaret();
  UpdateControl(CacheReset::Keep);
  if (outcome == EditOutcome::TextChanged) OnTextChanged();
}

void MRichEdit::OnTextChanged() {}

void MRichEdit::SetTextColor(ArgbColor colour) {
  MPanel::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

std::u16string MRichEdit::GetControlTitle() const { return engine_.Text(); }

void MRichEdit::SetControlTitle(std::u16string text) { SetText(std::move(text)); }

void MRichEdit::SetText(std::u16string text) {
  engine_.SetText(std::move(text));
  ResetHistory();
  scrollX_ = 0;
  firstLine_ = 0;
  PlaceCaret();
  UpdateControl(CacheReset::Reset);
}

std::u16string MRichEdit::GetText() const { return engine_.Text(); }

void MRichEdit::SetSel(int start, int end) {
  const int length = GetTextLength();
  if (start < 0) {
    engine_.SetSelection(engine_.Caret(), engine_.Caret());
  } else {
    engine_.SetSelection(start, end < 0 ? length : end);
  }
  After(EditOutcome::CaretMoved);
}

void MRichEdit::GetSel(int& start, int& end) const {
  start = engine_.Selection().first;
  end = engine_.Selection().second;
}

void MRichEdit::SetSelAll() { SetSel(0, -1); }

void MRichEdit::ReplaceSel(std::u16string_view text) { After(engine_.Insert(text)); }

std::u16string MRichEdit::GetTextRange(int from, int to) const {
  const int length = GetTextLength();
  from = std::clamp(from, 0, length);
  to = std::clamp(to < 0 ? length : to, from, length);
  return engine_.Text().substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

int MRichEdit::GetTextLength() const { return static_cast<int>(engine_.Text().size()); }

int MRichEdit::Undo() {
  if (!CanUndo()) return 0;
  redo_.push_back(std::move(current_));
  HistoryState state = std::move(undo_.back());
  undo_.pop_back();
  Restore(std::move(state));
  return 1;
}

int MRichEdit::Redo() {
  if (!CanRedo()) return 0;
  undo_.push_back(std::move(current_));
  HistoryState state = std::move(redo_.back());
  redo_.pop_back();
  Restore(std::move(state));
  return 1;
}

bool MRichEdit::CanUndo() const { return !undo_.empty() && !IsReadOnly(); }

bool MRichEdit::CanRedo() const { return !redo_.empty() && !IsReadOnly(); }

MRichEdit::HistoryState MRichEdit::Capture() const {
  return HistoryState{engine_.Text(), engine_.Runs(), engine_.Anchor(), engine_.Caret()};
}

void MRichEdit::Restore(HistoryState state) {
  engine_.SetText(std::move(state.text));
  engine_.SetRuns(std::move(state.runs));
  engine_.SetSelection(state.anchor, state.caret);
  lastTyped_ = false;
  current_ = Capture();
  PlaceCaret();
  UpdateControl(CacheReset::Reset);
  OnTextChanged();
}

void MRichEdit::ResetHistory() {
  undo_.clear();
  redo_.clear();
  lastTyped_ = false;
  current_ = Capture();
}

void MRichEdit::Cut() { After(engine_.Cut()); }

void MRichEdit::Copy() { engine_.Copy(); }

void MRichEdit::Paste() { After(engine_.Paste()); }

void MRichEdit::Clear() {
  if (engine_.HasSelection()) After(engine_.Delete(CaretStep::Character));
}

bool MRichEdit::IsCommandEnabled(int command) const {
  const bool writable = engine_.Access() == EditAccess::Writable;
  const bool selected = engine_.HasSelection();
  switch (command) {
    case RICHEDIT_UNDO: return CanUndo();
    case RICHEDIT_REDO: return CanRedo();
    case RICHEDIT_CUT:
    case RICHEDIT_CLEAR: return selected && writable;
    case RICHEDIT_COPY: return selected;
    case RICHEDIT_PASTE: return writable;
    case RICHEDIT_SELECT_ALL: return true;
    default: return false;
  }
}

int MRichEdit::RunCommand(int command) {
  if (!IsCommandEnabled(command)) return 0;
  switch (command) {
    case RICHEDIT_UNDO: return Undo();
    case RICHEDIT_REDO: return Redo();
    case RICHEDIT_CUT: Cut(); break;
    case RICHEDIT_COPY: Copy(); break;
    case RICHEDIT_PASTE: Paste(); break;
    case RICHEDIT_CLEAR: Clear(); break;
    default: SetSelAll(); break;
  }
  return 1;
}

void MRichEdit::SetLimitText(int units) { engine_.SetLimit(units); }

void MRichEdit::SetReadOnly(bool on) { engine_.SetAccess(on ? EditAccess::ReadOnly : EditAccess::Writable); }

bool MRichEdit::IsReadOnly() const { return engine_.Access() == EditAccess::ReadOnly; }

void MRichEdit::SetPassword(bool on, char16_t mask) {
  engine_.SetMask(on ? mask : char16_t{0});
  UpdateControl(CacheReset::Reset);
}

void MRichEdit::SetWordWrap(bool on) {
  engine_.SetLines(on ? EditLines::Multi : EditLines::Single);
  engine_.SetWrapWidth(on ? rect_.Width() - 2 * kInset : 0);
  UpdateControl(CacheReset::Reset);
}

void MRichEdit::SetNumberOnly(bool on) { engine_.SetFilter(on ? CharFilter::Digits : CharFilter::Any); }

void MRichEdit::SetSelectionCharFormat(ArgbColor colour, int pixelSize, RunWeight weight) {
  const auto [from, to] = engine_.Selection();
  if (from == to) return;
  std::vector<TextRun> runs = engine_.Runs();
  runs.push_back(TextRun{from, to, colour, pixelSize, weight});
  engine_.SetRuns(std::move(runs));
  After(EditOutcome::CaretMoved);  // the current state takes the new runs
}

void MRichEdit::SetBackColor(ArgbColor colour) {
  back_ = colour;
  UpdateControl(CacheReset::Reset);
}

int MRichEdit::GetLineCount() const { return static_cast<int>(engine_.LaidOutLines().size()); }

int MRichEdit::LineIndex(int line) const {
  const std::vector<TextLine> lines = engine_.LaidOutLines();
  if (line < 0) line = LineFromChar(-1);
  return line < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(line)].start : -1;
}

// A unit belongs to the last line starting at or before it, so a line's end
// is the caret position before the next line's first unit.
int MRichEdit::LineFromChar(int index) const {
  const std::vector<TextLine> lines = engine_.LaidOutLines();
  if (index < 0) index = engine_.Caret();
  int line = 0;
  while (line + 1 < static_cast<int>(lines.size()) && lines[static_cast<std::size_t>(line) + 1].start <= index) ++line;
  return line;
}

int MRichEdit::LineLength(int index) const {
  const std::vector<TextLine> lines = engine_.LaidOutLines();
  return lines.empty() ? 0 : lines[static_cast<std::size_t>(LineFromChar(index))].length;
}

int MRichEdit::LineScroll(int lines) {
  const int last = std::max(GetLineCount() - 1, 0);
  firstLine_ = std::clamp(firstLine_ + lines, 0, last);
  PlaceCaret();
  UpdateControl(CacheReset::Reset);
  return firstLine_;
}

int MRichEdit::GetFirstVisibleLine() const { return engine_.Lines() == EditLines::Multi ? firstLine_ : 0; }

void MRichEdit::SetParagraphAlign(ParagraphAlign align) {
  engine_.SetAlignment(align);
  PlaceCaret();
  UpdateControl(CacheReset::Reset);
}

bool MRichEdit::SetZoom(int numerator, int denominator) {
  if (numerator == 0 && denominator == 0) numerator = denominator = 1;
  if (numerator <= 0 || denominator <= 0 || numerator > 64 * denominator || denominator > 64 * numerator) return false;
  engine_.SetScale(static_cast<double>(numerator) / denominator);
  firstLine_ = std::min(firstLine_, std::max(GetLineCount() - 1, 0));
  PlaceCaret();
  UpdateControl(CacheReset::Reset);
  return true;
}

bool MRichEdit::LoadRtf(std::string_view rtf) {
  RichText rich;
  const bool complete = RtfReader::Read(rtf, rich);
  SetText(std::move(rich.text));
  engine_.SetRuns(std::move(rich.runs));
  ResetHistory();
  UpdateControl(CacheReset::Reset);
  return complete;
}

std::string MRichEdit::SaveRtf() const { return RtfWriter::Write(RichText{engine_.Text(), engine_.Runs()}); }

bool MRichEdit::StreamIn(StreamFormat format, const StreamReader& reader) {
  std::string data;
  char buffer[kStreamChunk];
  for (int got = reader(buffer, kStreamChunk); got > 0; got = reader(buffer, kStreamChunk)) {
    data.append(buffer, static_cast<std::size_t>(std::min(got, kStreamChunk)));
  }
  if (format == StreamFormat::Rtf) return LoadRtf(data);
  SetText(ToUtf16(data));
  engine_.SetRuns({});
  ResetHistory();
  return true;
}

bool MRichEdit::StreamOut(StreamFormat format, const StreamWriter& writer) const {
  const std::string data = format == StreamFormat::Rtf ? SaveRtf() : ToUtf8(engine_.Text());
  for (std::size_t at = 0; at < data.size(); at += kStreamChunk) {
    const std::size_t size = std::min<std::size_t>(kStreamChunk, data.size() - at);
    if (!writer(data.data() + at, static_cast<int>(size))) return false;
  }
  return true;
}

EditEngine& MRichEdit::Engine() { return engine_; }

void MRichEdit::SetTextInset(int left) {
  leftInset_ = std::max(left, 0);
  UpdateControl(CacheReset::Reset);
}

}  // namespace ZephUI

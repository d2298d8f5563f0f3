// A windowless rich-text field: the text is edited and drawn inside the
// host window by the control itself, through the same EditEngine as the edit
// field, with coloured, sized and bold runs laid out by Pango. It takes keys
// and typed characters while it has the focus, shows the paint manager's
// caret, selects with the mouse, and offers the commands of a text field's
// context menu on a right click. Press and release report NOTIFY_PRESSED and
// NOTIFY_CLICKED.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/EditEngine.h"
#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

/// Context-menu commands of a rich edit field.
enum RichEditCommand : int {
  RICHEDIT_UNDO = 101,        ///< "Undo(&U)"
  RICHEDIT_CUT = 102,         ///< "Cut(&X)"
  RICHEDIT_COPY = 103,        ///< "Copy(&C)"
  RICHEDIT_PASTE = 104,       ///< "Paste(&V)"
  RICHEDIT_CLEAR = 105,       ///< "Clear(&L)"
  RICHEDIT_SELECT_ALL = 106,  ///< "SelectAll(&A)"
  RICHEDIT_REDO = 107,        ///< "Redo(&R)"
};

/// What a stream of a rich edit field carries.
enum class StreamFormat { Text, Rtf };

/// Fills `buffer` with up to `size` bytes of the text being read in; returns how many, 0 at the end.
using StreamReader = std::function<int(char* buffer, int size)>;
/// Receives the next `size` bytes of the text being written out; false stops the stream.
using StreamWriter = std::function<bool(const char* data, int size)>;

/// The library's rich edit field ("MRichEdit" in the factory), base of MEditEx, CLogonEdit and CSpinButton.
class ZEPHUI_API MRichEdit : public MPanel {
 public:
  /// A mouse-responsive, tab-stop field holding `text`.
  MRichEdit(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible, bool enabled);
  ~MRichEdit() override;

  // ---- overrides ----
  /// Background, text with its selection (the caret is the paint manager's).
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Places the caret; NOTIFY_PRESSED.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Extends the selection while the button is held.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// NOTIFY_CLICKED after a press inside.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Selects the word under the pointer.
  int OnControlLButtonDblClk(std::uint32_t flags, Point point) override;
  /// Opens the context menu at the pointer.
  int OnControlRButtonUp(std::uint32_t flags, Point point) override;
  /// Editing keys while focused.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Typed characters while focused, and the context menu's choice (WM_COMMAND, lParam the command).
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Shows or hides the caret with the focus.
  int SetControlFocus(FocusChange focus) override;
  /// Stores the colour and repaints.
  void SetTextColor(ArgbColor colour) override;
  /// The text.
  std::u16string GetControlTitle() const override;
  /// Replaces the text.
  void SetControlTitle(std::u16string text) override;

  // ---- text and selection ----
  /// Replaces the whole text.
  void SetText(std::u16string text);
  /// The whole text.
  std::u16string GetText() const;
  /// Selects [start, end); -1 as end means the end of the text, start -1 removes the selection.
  void SetSel(int start, int end);
  /// The selection as start and end.
  void GetSel(int& start, int& end) const;
  /// Selects everything.
  void SetSelAll();
  /// Replaces the selection with `text` (the rules apply).
  void ReplaceSel(std::u16string_view text);
  /// The text of [from, to).
  std::u16string GetTextRange(int from, int to) const;
  /// The number of UTF-16 units.
  int GetTextLength() const;

  // ---- commands ----
  /// Takes back the last change (many in turn, typing in one go); 0 when there is none.
  int Undo();
  /// Brings back what the last undo took (as many as were undone); 0 when there is none.
  int Redo();
  /// True when Undo would do something.
  bool CanUndo() const;
  /// True when Redo would do something.
  bool CanRedo() const;
  /// Cuts the selection to the clipboard.
  void Cut();
  /// Copies the selection to the clipboard.
  void Copy();
  /// Inserts the clipboard's text.
  void Paste();
  /// Deletes the selection.
  void Clear();
  /// True when a context-menu command may run now.
  bool IsCommandEnabled(int command) const;
  /// Runs a context-menu command (RichEditCommand); 0 when it is unknown or disabled.
  int RunCommand(int command);
  /// Opens the context menu at a window point, its rows enabled as the commands are; false when it cannot.
  bool OpenContextMenu(Point point);

  // ---- rules and format ----
  /// The most UTF-16 units the user may bring the text to; 0 or less: none.
  void SetLimitText(int units);
  /// Read-only fields still select and copy.
  void SetReadOnly(bool on);
  /// True when read-only.
  bool IsReadOnly() const;
  /// Shows each character as `mask` when on.
  void SetPassword(bool on, char16_t mask = u'\u25CF');
  /// Several wrapped lines when on.
  void SetWordWrap(bool on);
  /// Accepts only digits when on.
  void SetNumberOnly(bool on);
  /// Colours the selected text (alpha 0 leaves the colour), sizes it (0 leaves it) and makes it bold when asked.
  void SetSelectionCharFormat(ArgbColor colour, int pixelSize, RunWeight weight);
  /// The field's background colour (alpha 0: the host picture shows through).
  void SetBackColor(ArgbColor colour);
  /// The number of laid-out lines.
  int GetLineCount() const;
  /// The first unit of line `line` (-1: the caret's line); -1 past the last line.
  int LineIndex(int line) const;
  /// The line holding unit `index` (-1: the caret).
  int LineFromChar(int index) const;
  /// The units of the line holding unit `index`, without its break (-1: the caret's line).
  int LineLength(int index) const;
  /// Scrolls a multi-line field by `lines` (negative: up), staying within the text; the first visible line after.
  int LineScroll(int lines);
  /// The topmost visible line of a multi-line field.
  int GetFirstVisibleLine() const;
  /// Aligns the paragraphs of a word-wrapped field (the layout holds one alignment for all of them).
  void SetParagraphAlign(ParagraphAlign align);
  /// Scales the drawn text by numerator/denominator (0/0 back to its own size); false for a ratio out of 1/64..64.
  bool SetZoom(int numerator, int denominator);
  /// Replaces text and formatting with an RTF document; false when it is malformed (what could be read stays).
  bool LoadRtf(std::string_view rtf);
  /// The text and its formatting as an RTF document.
  std::string SaveRtf() const;
  /// Replaces the text with what `reader` supplies (UTF-8 text or RTF); false when RTF is malformed.
  bool StreamIn(StreamFormat format, const StreamReader& reader);
  /// Hands the text (UTF-8 text or RTF) to `writer` in chunks; false when the writer stopped it.
  bool StreamOut(StreamFormat format, const StreamWriter& writer) const;
  /// The engine that edits the text.
  EditEngine& Engine();

 protected:
  /// Called after every change of the text; derived fields react here.
  virtual void OnTextChanged();
  /// The layout origin in window pixels.
  Point TextOrigin() const;
  /// Repaints and moves the caret after an editing operation.
  void After(EditOutcome outcome);
  /// Where the text starts, in pixels from the field's left edge (default 4).
  void SetTextInset(int left);

 private:
  /// Moves the paint manager's caret to the engine's caret.
  void PlaceCaret();
  /// The layout point of a window point.
  Point LayoutPoint(Point window) const;
  /// Text, runs and selection at one point of the edit history.
  struct HistoryState {
    std::u16string text;
    std::vector<TextRun> runs;
    int anchor = 0;
    int caret = 0;
  };
  /// The field as it is now.
  HistoryState Capture() const;
  /// Puts a state of the history back into the field.
  void Restore(HistoryState state);
  /// Starts the history afresh from the current text.
  void ResetHistory();

  EditEngine engine_;
  std::vector<HistoryState> undo_;  ///< oldest first
  std::vector<HistoryState> redo_;  ///< most recently undone last
  HistoryState current_;
  bool typing_ = false;       ///< the change being reported comes from a typed character
  bool lastTyped_ = false;    ///< the last recorded change was typing: more typing joins it
  ArgbColor back_{};
  bool pressed_ = false;
  bool menuPending_ = false;  ///< our context menu is open: its report is ours
  int scrollX_ = 0;
  int firstLine_ = 0;  ///< topmost visible line of a multi-line field
  int leftInset_ = 4;
};

}  // namespace ZephUI

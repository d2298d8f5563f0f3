// The editor window of an edit field ("FSEditWindow"): a child window placed
// over the field while it has the focus. It takes the keyboard focus, the
// typed characters and the mouse, edits through an EditEngine, draws the
// text with its selection and a blinking caret, scrolls a long line so the
// caret stays in view, and tells its field when the text changed, when the
// focus left, and when Tab, Enter or Escape asks to finish.
#pragma once

#include <cstdint>
#include <functional>

#include "zephui/Color.h"
#include "zephui/EditEngine.h"
#include "zephui/MWindow.h"
#include "zephui/Rect.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

class PaintManager;

/// What a key asks of the field around the editor.
enum class EditorExit { Finish, NextField, PreviousField };

/// An in-place editor window over one field.
class EditWindow : public MWindow {
 public:
  /// What the editor reports to its field; each may be empty.
  struct Events {
    std::function<void()> changed;             ///< the text changed
    std::function<void()> focusLost;           ///< the keyboard focus went elsewhere
    std::function<void(EditorExit)> finished;  ///< Enter (single line), Escape or Tab
  };

  /// An editor for `host` (whose paint manager keeps removed fields alive while the editor reports).
  EditWindow(PaintManager* host, Events events);
  /// Forgets the events, then destroys the window.
  ~EditWindow() override;

  /// "FSEditWindow".
  std::u16string_view GetWindowClassName() const override;
  /// Paint, focus, keys, characters, mouse and the caret timer.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  /// Creates the child window of `parent` at `rect` (parent client pixels) when it does not exist; false on failure.
  bool Open(HWND parent, const Rect& rect);
  /// The editing engine.
  EditEngine& Engine();
  /// Colours of the text, the background (alpha 0: none) and the selection.
  void SetColours(ArgbColor ink, ArgbColor back, ArgbColor selection);
  /// Swallows typed characters while off.
  void EnableCharacters(bool on);
  /// Where a line shorter than the window sits.
  void SetAlignment(HAlign align);
  /// Moves the window to `rect` (parent client pixels).
  void Place(const Rect& rect);
  /// Shows the window with the caret at the end and takes the focus.
  void ShowFocused();
  /// Hides the window (the focus goes back to the parent).
  void Hide();
  /// Repaints after the text or caret changed.
  void Refresh();

 private:
  /// Composes the window in its surface and presents it.
  void Paint();
  /// The layout origin in client pixels, scrolled so the caret stays inside.
  Point Origin();
  /// Keys other than characters.
  LRESULT OnKey(std::uint32_t vk);
  /// Typed characters.
  LRESULT OnCharacter(char16_t unit);
  /// Presses, drags and double clicks.
  LRESULT OnMouse(UINT msg, std::uint32_t flags, Point point);
  /// Focus arrives or leaves.
  LRESULT OnFocus(bool gained);
  /// Repaints, and reports a change of text.
  void After(EditOutcome outcome);

  PaintManager* host_;
  Events events_;
  EditEngine engine_;
  ArgbColor ink_{0xFFFFFFFF};
  ArgbColor back_{0xFF061835};
  ArgbColor selection_{0xFF3A6EA5};
  bool characters_ = true;
  HAlign align_ = HAlign::Left;
  bool blinkOn_ = true;
  bool focused_ = false;
  int scrollX_ = 0;
  int scrollY_ = 0;
};

}  // namespace ZephUI

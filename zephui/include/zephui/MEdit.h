// An edit field: its text (or a grey tip while empty) drawn as a skin
// picture, edited in an editor window of its own placed over the field while
// the field has the focus. An optional icon at the right edge is a small
// button of its own. The text typed survives any way the focus leaves.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

class EditWindow;
enum class EditorExit;

/// The character a password field shows for each character of its text.
inline constexpr char16_t EDIT_PASSWORD_CHAR = u'\u25CF';
/// The default text limit of an edit field, in UTF-16 units.
inline constexpr int EDIT_DEFAULT_LIMIT = 120;

/// The library's edit field ("MEdit" in the factory).
class ZEPHUI_API MEdit : public MControlFont {
 public:
  /// A mouse-responsive field in "Arial" 14 px; state 3 when built disabled.
  MEdit(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible, bool enabled);
  /// Closes the editor window.
  ~MEdit() override;

  // ---- overrides ----
  /// The cached picture of the field state, then the icon frame of the icon state.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Field and icon hover states.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Field: pressed, editor shown, NOTIFY_PRESSED; icon: pressed, editor closed, NOTIFY_ITEM_BUTTON.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Icon: NOTIFY_EDIT_ICON; field after a press there: NOTIFY_CLICKED.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Space while focused: NOTIFY_PRESSED and NOTIFY_CLICKED.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Focus by keyboard opens the editor; losing focus closes it, keeping the text.
  int SetControlFocus(FocusChange focus) override;
  /// Disabled (3) closes the editor; enabled (0).
  void SetControlEnabled(bool enabled) override;
  /// Hiding the field closes the editor.
  void SetControlVisible(bool visible) override;
  /// Moves an open editor with the field.
  void SetControlRect(const Rect& rect) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- edit operations ----
  /// Replaces the text (also in an open editor).
  void SetEditText(std::u16string text);
  /// The text: the editor's current text while it is open.
  std::u16string GetEditText() const;
  /// The grey text shown while the field is empty.
  void SetTipInfo(std::u16string text);
  /// The tip text.
  std::u16string GetTipInfo() const;
  /// Shows each character as the password character when on.
  void EnablePassWord(bool on);
  /// True in password mode.
  bool IsPassWord() const;
  /// The password character.
  void SetPassWordChar(char16_t ch);
  /// The password character.
  char16_t GetPassWordChar() const;
  /// Several lines, wrapped, when on.
  void EnableMultLine(bool on);
  /// True for a multi-line field.
  bool IsMultLine() const;
  /// A read-only field never opens its editor.
  void SetReadOnly(bool on);
  /// True when read-only.
  bool IsReadOnly() const;
  /// Only digits are accepted when on.
  void SetNumberOnly(bool on);
  /// True when only digits are accepted.
  bool IsNumberOnly() const;
  /// Typed characters reach the text only while on (default on).
  void EnableCharMessage(bool on);
  /// True when typed characters reach the text.
  bool IsCharMessageEnabled() const;
  /// The most UTF-16 units the user may type (default 120; 0 or less: no limit).
  void SetLimitText(int units);
  /// The text limit.
  int GetLimitText() const;
  /// The editor's background (default RGB 6, 24, 53); none: the system's colours (white, black text).
  void SetEditBKColor(std::optional<GdiColor> colour);
  /// The editor's background; none for the system's.
  std::optional<GdiColor> GetEditBKColor() const;
  /// Face, size in pixels and style of the field and its editor.
  void SetEditFont(std::u16string face, int size, bool bold, bool italic, bool underline);
  /// An icon strip from the skin folder drawn at the right edge; 0 on failure.
  int SetIconImage(std::u16string_view fileName, int frameCount);
  /// The icon rectangle in window pixels; empty without icon.
  Rect GetIconRect() const;
  /// The text rectangle relative to the field (empty: computed from the field).
  void SetTextRect(const Rect& rect);
  /// The explicit text rectangle; empty when computed.
  Rect GetTextRect() const;
  /// Corner size of the nine-slice skin copy (default 4).
  void SetFrameSize(int corner);
  /// Opens the editor over the field (nothing when read-only or disabled) and reports NOTIFY_EDIT_BEGIN.
  void ShowEdit();
  /// Closes an open editor, keeping its text, and reports NOTIFY_EDIT_END.
  void HideEdit();
  /// True while the editor is open (the field's focus flag).
  bool IsEditFocused() const;
  /// The field's state (0 normal, 1 hover, 2 pressed, 3 disabled).
  int GetState() const;
  /// The icon's state (0 normal, 1 hover, 2 pressed).
  int GetIconState() const;
  /// The editor window; none before it was first opened.
  HWND GetEditWindow() const;

 private:
  /// The editor rectangle in window pixels.
  Rect EditorRect() const;
  /// Makes the editor window on first use.
  bool EnsureEditor();
  /// Applies the field's rules, font and colours to the editor.
  void ConfigureEditor();
  /// The editor's text changed: it becomes the title.
  void OnEditorChanged();
  /// Tab, Enter or Escape in the editor.
  void OnEditorFinished(EditorExit exit);
  /// Sets the field state; a change repaints without dropping the cache.
  void SetState(int state);
  /// Sets the icon state; a change repaints.
  void SetIconState(int state);
  /// Draws one state: skin frame and text.
  void RenderState(RenderContext& target, const Rect& slot, int state);
  /// Stores a setting and drops the cache.
  template <typename T>
  void Change(T& member, T value);

  std::u16string tip_;
  bool password_ = false;
  char16_t passwordChar_ = EDIT_PASSWORD_CHAR;
  bool multiLine_ = false;
  bool readOnly_ = false;
  bool numberOnly_ = false;
  bool charMessage_ = true;
  int limit_ = EDIT_DEFAULT_LIMIT;
  std::optional<GdiColor> editBack_{GdiColor::FromRgb(6, 24, 53)};
  int frameSize_ = 4;
  int state_;
  int iconState_ = 0;
  bool pressedField_ = false;
  std::unique_ptr<Image> icon_;
  int iconFrames_ = 1;
  Rect textRect_;
  bool editing_ = false;
  std::unique_ptr<EditWindow> editor_;
};

}  // namespace ZephUI

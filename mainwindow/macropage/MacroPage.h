// The macro page (layout 53): the stored macros, the steps of the selected
// one, its play options, recording keystrokes into it, mending it by hand,
// and macro files. Every change is stored at once and the key filter is
// reprogrammed, so a key bound to the macro plays the new steps.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "macros/recorder/MacroRecorder.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class MDialog;
class MButton;
}  // namespace ZephUI
class EventComposer;
class MacroList;
class MacroPageHost;
class MacroRecording;
class PlayOptions;
class RecordEditor;

class MacroPage {
 public:
  explicit MacroPage(MacroPageHost& host);
  /// Ends a recording still running.
  ~MacroPage();

  /// Creates the page's controls on layout 53 of `dialog`.
  void Build(ZephUI::MDialog& dialog, const ZephUI::Rect& client);
  /// A notification of one of the page's controls; nullopt when the id is not the page's.
  std::optional<ZephUI::LRESULT> OnNotify(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                                          ZephUI::LPARAM lParam);
  /// A window message for the page (grabbed keys, recorded events, the menu, captured keys); nullopt otherwise.
  std::optional<ZephUI::LRESULT> OnWindowMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam);
  /// The macro menu's choice (message 1827).
  ZephUI::LRESULT OnMenu(int item);
  /// The load step: the macro list from the store, the first macro shown.
  void Load();
  /// Sets every text again in the current language.
  void RefreshTexts();

  /// Shows a macro's options and steps and enables editing.
  void ShowMacro(int macroId);
  /// Shows no macro: empty steps, default options, editing disabled.
  void ShowNoMacro();

  /// Starts recording into the selected macro; false when none is selected.
  bool StartRecording();
  /// Stops a running recording and stores what was recorded; nothing when none runs.
  void StopRecording();
  /// What the page does with keys now.
  CaptureMode Mode() const;

  /// Stores the options shown for the selected macro and reprograms the key filter.
  ZephUI::LRESULT SavePlayOptions();
  /// Stores the steps shown for the selected macro and reprograms the key filter.
  ZephUI::LRESULT SaveSteps();

  MacroList& Macros() { return *list_; }
  RecordEditor& Records() { return *editor_; }
  PlayOptions& Options() { return *options_; }
  EventComposer& Composer() { return *composer_; }

 private:
  std::optional<ZephUI::LRESULT> OnRecordingNotice(std::uint32_t controlId, ZephUI::UINT msg);
  ZephUI::LRESULT OnClicked(std::uint32_t controlId);
  ZephUI::LRESULT OnListPressed();
  ZephUI::LRESULT EditSteps(bool changed);
  ZephUI::LRESULT InsertComposed();
  void SetEditing(bool enabled);
  void ShowRecordingButtons(bool recording);
  void ShowIdle();

  MacroPageHost& host_;
  std::unique_ptr<MacroList> list_;
  std::unique_ptr<PlayOptions> options_;
  std::unique_ptr<RecordEditor> editor_;
  std::unique_ptr<EventComposer> composer_;
  std::unique_ptr<MacroRecording> recording_;
  ZephUI::MButton* start_ = nullptr;
  ZephUI::MButton* stop_ = nullptr;
  ZephUI::MButton* save_ = nullptr;
};

// The library's own file dialog, used when the desktop offers no chooser: a
// folder line with an "up" button, the folder's subfolders and then its files
// (those the chosen filter matches; hidden ones never), the filter list, and
// for saving a name field. A double click or Enter opens a folder or takes a
// file; saving over an existing file asks first; Escape or Cancel gives up.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zephui/Export.h"
#include "zephui/FileChooser.h"
#include "zephui/MDialog.h"

namespace ZephUI {

/// Control id of the title line.
inline constexpr std::uint32_t FILEDIALOG_TITLE_ID = 2001;
/// Control id of the "up" button.
inline constexpr std::uint32_t FILEDIALOG_UP_ID = 2002;
/// Control id of the folder line.
inline constexpr std::uint32_t FILEDIALOG_FOLDER_ID = 2003;
/// Control id of the list of folders and files (MListBox).
inline constexpr std::uint32_t FILEDIALOG_LIST_ID = 2004;
/// Control id of the line saying the folder cannot be read.
inline constexpr std::uint32_t FILEDIALOG_NOTE_ID = 2005;
/// Control id of the name field (MEdit; saving only).
inline constexpr std::uint32_t FILEDIALOG_NAME_ID = 2006;
/// Control id of the filter list (MComboBox).
inline constexpr std::uint32_t FILEDIALOG_FILTER_ID = 2007;
/// Control id of the "Open" or "Save" button.
inline constexpr std::uint32_t FILEDIALOG_ACCEPT_ID = 2008;
/// Control id of the "Cancel" button.
inline constexpr std::uint32_t FILEDIALOG_CANCEL_ID = 2009;

/// A modal file dialog drawn with the library's controls.
class ZEPHUI_API MFileDialog : public MDialog {
 public:
  /// A dialog for `request`, not created yet.
  explicit MFileDialog(FileChooserRequest request);
  /// Destroys the window when it still exists.
  ~MFileDialog() override;

  /// Creates the window centred on `owner` and lists the starting folder, not shown yet; none on failure.
  HWND CreateChooser(HWND owner);
  /// Shows the created dialog modally, destroys it and returns the chosen path, or nothing when cancelled.
  std::optional<std::string> RunModal();

  /// Lists another folder; false (and the "cannot be read" line) when it cannot be read.
  bool OpenFolder(const std::string& folder);
  /// The folder listed now.
  const std::string& Folder() const;
  /// Opens the folder of list row `row`, or takes its file; nothing for a bad row.
  void ActivateRow(int row);
  /// The "Open"/"Save" button: takes the selected file, or the typed name when saving.
  void Accept();

  // ---- overrides ----
  /// Builds the controls.
  void InitUI(const Rect& clientRect) override;
  /// Buttons, list clicks and the filter choice.
  LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Enter and Escape anywhere in the dialog, Backspace in the list; then Tab.
  bool PreTranslateMessage(const MSG& msg) override;

 private:
  /// Fills the list from the folder with the chosen filter.
  bool Relist();
  /// The chosen filter's patterns; empty for every file.
  std::vector<std::u16string> Patterns() const;
  /// The selected row when the list has it; -1 otherwise.
  int SelectedRow() const;
  /// The save path for a typed name, with the default extension when the name has none.
  std::string SavePath(const std::u16string& typed) const;
  /// Ends with `path` after asking when saving would replace a file.
  void Finish(const std::string& path);
  /// Builds the name field, the filter list and the two buttons along the bottom.
  void BuildBottom(const Rect& clientRect);
  /// Shows the name of a file row in the name field while saving.
  void TakeNameOf(int row);

  FileChooserRequest request_;          ///< what to ask
  std::string folder_;                  ///< the folder listed
  std::vector<std::string> names_;      ///< the rows' names (UTF-8): folders first, then files
  int folderCount_ = 0;                 ///< how many rows are folders
  std::optional<std::string> chosen_;   ///< the answer once taken
};

}  // namespace ZephUI

// Asking the user for a file to open or to save to. The desktop's own chooser
// answers through the file chooser portal on the session bus when one runs;
// otherwise, or when it fails, the library's own file dialog asks. Either way
// the request returns at once and the answer arrives later on the asking
// thread, from its message loop: the thread never waits for the desktop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// What the chooser is for.
enum class FileChooserMode {
  Open,  ///< an existing file to read
  Save,  ///< a file to write, asking before an existing one is replaced
};

/// One entry of the chooser's filter list.
struct FileFilter {
  std::u16string text;                 ///< shown to the user, "Profile (*.xml)"
  std::vector<std::u16string> patterns;  ///< shell globs matched against file names, "*.xml"
};

/// Everything a chooser needs to know.
struct FileChooserRequest {
  FileChooserMode mode = FileChooserMode::Open;  ///< open or save
  std::u16string title;                          ///< the chooser's title
  std::vector<FileFilter> filters;               ///< the filters, the first chosen at the start; none shows every file
  std::u16string defaultExtension;               ///< without dot ("xml"); the own dialog adds it to a saved name without one, the desktop's gets it on the suggested name
  std::string folder;                            ///< starting folder (UTF-8); empty: the user's documents folder
  std::u16string suggestedName;                  ///< the name field's text at the start when saving
  HWND owner = nullptr;                          ///< the window the chooser belongs to and is modal on
};

/// How a request ended.
enum class FileChooserOutcome {
  Chosen,     ///< a file was chosen; its path is in the answer
  Cancelled,  ///< the user closed the chooser without a file
};

/// Which chooser asked the user.
enum class FileChooserRoute {
  Portal,      ///< the desktop's chooser through the portal
  OwnDialog,   ///< the library's file dialog
};

/// The answer to one request.
struct FileChooserAnswer {
  FileChooserOutcome outcome = FileChooserOutcome::Cancelled;  ///< chosen or cancelled
  std::string path;                                            ///< the chosen file's absolute path (UTF-8); empty when cancelled
  FileChooserRoute route = FileChooserRoute::OwnDialog;        ///< who asked
};

/// Which chooser a request may use.
enum class FileChooserBackend {
  PortalFirst,  ///< the portal when one answers, else the library's dialog
  OwnDialog,    ///< the library's dialog only
};

/// One pending question at a time. Destroying the chooser abandons a pending request: its answer is never delivered.
class ZEPHUI_API FileChooser {
 public:
  /// Runs on the asking thread once per request.
  using AnswerHandler = std::function<void(const FileChooserAnswer&)>;

  /// A chooser for the calling thread, which must run a message loop.
  explicit FileChooser(FileChooserBackend backend = FileChooserBackend::PortalFirst);
  /// Abandons a pending request and closes its dialog.
  ~FileChooser();
  FileChooser(const FileChooser&) = delete;
  FileChooser& operator=(const FileChooser&) = delete;

  /// Starts asking and returns at once; false (and no answer) while another request is pending.
  bool Ask(FileChooserRequest request, AnswerHandler onAnswer);
  /// True from Ask until the answer has been delivered.
  bool Pending() const;

  class Impl;  ///< the library's side

 private:
  std::unique_ptr<Impl> impl_;
};

/// The user's documents folder as the desktop names it (user-dirs.dirs), else the home folder.
ZEPHUI_API std::string DocumentsFolder();

}  // namespace ZephUI

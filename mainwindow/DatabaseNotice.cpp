#include "mainwindow/DatabaseNotice.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "app/LanguageText.h"
#include "mainwindow/CUIMessageBox.h"
#include "zephui/Text.h"

namespace {

constexpr int kDamagedTitle = 930;
constexpr int kDamagedMessage = 931;
constexpr int kReadOnlyTitle = 932;
constexpr int kReadOnlyMessage = 933;
constexpr int kNotCreatableMessage = 934;
constexpr int kNotCreatableTitle = 935;

std::u16string FileName(const std::string& path) { return ZephUI::ToUtf16(path.substr(path.find_last_of('/') + 1)); }

// The box is small: a path below the home folder is written from "~".
std::u16string ShownPath(const std::string& path) {
  const char* home = std::getenv("HOME");
  const std::string prefix = home != nullptr ? std::string(home) : std::string();
  if (prefix.size() > 1 && path.starts_with(prefix) && path.size() > prefix.size() && path[prefix.size()] == '/') {
    return u"~" + ZephUI::ToUtf16(path.substr(prefix.size()));
  }
  return ZephUI::ToUtf16(path);
}

// Puts the values in place of the text's "%s" marks, in order; other text stays as it is.
std::u16string Fill(std::u16string text, std::initializer_list<std::u16string> values) {
  std::size_t from = 0;
  for (const std::u16string& value : values) {
    const std::size_t mark = text.find(u"%s", from);
    if (mark == std::u16string::npos) break;
    text.replace(mark, 2, value);
    from = mark + value.size();
  }
  return text;
}

}  // namespace

// The box has room for a title line and two short lines of message: the
// title names the file alone (stderr has the whole path).
DatabaseNotice DatabaseNotice::For(const DatabaseOutcome& outcome) {
  DatabaseNotice notice;
  const std::u16string file = FileName(outcome.file);
  const auto text = [](int number) { return GetLanguageText(kDialogSection, number); };
  switch (outcome.condition) {
    case DatabaseCondition::Usable: return notice;
    case DatabaseCondition::Damaged:
      notice.title_ = Fill(text(kDamagedTitle), {file});
      notice.message_ = text(kDamagedMessage);
      break;
    case DatabaseCondition::ReadOnly:
      notice.title_ = Fill(text(kReadOnlyTitle), {file});
      notice.message_ = text(kReadOnlyMessage);
      break;
    case DatabaseCondition::NotCreatable:
      notice.title_ = Fill(text(kNotCreatableTitle), {file});
      notice.message_ = Fill(text(kNotCreatableMessage), {ShownPath(outcome.folder)});
      break;
  }
  notice.file_ = outcome.file;
  return notice;
}

void DatabaseNotice::Show(ZephUI::HWND owner) const {
  if (Empty()) return;
  std::fprintf(stderr, "MessageBox: %s: %s [%s]\n", ZephUI::ToUtf8(title_).c_str(), ZephUI::ToUtf8(message_).c_str(),
               file_.c_str());
  std::fflush(stderr);
  // The window closes its popups whenever its device view changes, the first
  // scan included: a notice closed that way was not read, so it comes back
  // until its button is pressed (a bounded number of times, in case the box
  // cannot be made at all).
  constexpr int kMostShows = 10;
  for (int shows = 0; shows < kMostShows; ++shows) {
    if (CUIMessageBox::Show(message_, owner, title_, CUIMessageBox::kOneButton) == 1) return;
  }
}

#include "zephui/MFileDialog.h"

#include <filesystem>
#include <utility>

#include "core/FolderListing.h"
#include "zephui/CArea.h"
#include "zephui/MButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MEdit.h"
#include "zephui/MListBox.h"
#include "zephui/MMessageBox.h"
#include "zephui/MRender.h"
#include "zephui/MText.h"
#include "zephui/Manager.h"
#include "zephui/Text.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 560;
constexpr int kHeight = 420;
constexpr int kMargin = 20;
constexpr int kListTop = 88;
constexpr int kNameTop = 316;
constexpr int kBottomTop = 364;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 30;
constexpr int kSkinCorner = 8;
constexpr std::uint32_t kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr std::uint32_t kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
constexpr ArgbColor kTitleInk{0xFFFFFFFF};
constexpr ArgbColor kTextInk{0xFFE6E6E6};
constexpr ArgbColor kNoteInk{0xFFFFB040};
constexpr ArgbColor kWellFrame{0xFF3A4450};

std::string Joined(const std::string& folder, const std::string& name) {
  return (fs::path(folder) / name).lexically_normal().string();
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// A long folder keeps its end, where the user is: leading parts give way to "…/".
std::u16string FittingFolder(const std::string& folder, int width) {
  const Font font(Manager::GetFontName(), Manager::GetFontWidth());
  std::u16string text = ToUtf16(folder);
  while (MRender::GetTextBounds(font, text).width > width) {
    const auto next = text.find(u'/', text.rfind(u"\u2026/", 0) == 0 ? 2 : 1);
    if (next == std::u16string::npos) break;
    text = u"\u2026" + text.substr(next);
  }
  return text;
}

std::u16string Trimmed(std::u16string text) {
  const auto first = text.find_first_not_of(u" \t");
  if (first == std::u16string::npos) return {};
  const auto last = text.find_last_not_of(u" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

MFileDialog::MFileDialog(FileChooserRequest request) : request_(std::move(request)) {}

MFileDialog::~MFileDialog() = default;

HWND MFileDialog::CreateChooser(HWND owner) {
  if (Create(owner, request_.title, kStyle, kExStyle, Rect{0, 0, kWidth, kHeight}) == nullptr) return nullptr;
  CenterWindow();
  const std::string start = request_.folder.empty() ? DocumentsFolder() : request_.folder;
  if (!OpenFolder(start) && start != request_.folder) OpenFolder("/");
  return hwnd_;
}

std::optional<std::string> MFileDialog::RunModal() {
  const auto code = static_cast<int>(ShowModal(SW_SHOWNORMAL));
  DestroyWindow();
  if (code != IDOK) return std::nullopt;
  return chosen_;
}

bool MFileDialog::OpenFolder(const std::string& folder) {
  std::error_code error;
  const fs::path absolute = fs::absolute(folder, error);
  folder_ = (error ? fs::path(folder) : absolute).lexically_normal().string();
  if (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
  if (auto* line = static_cast<MText*>(GetControl(FILEDIALOG_FOLDER_ID))) {
    line->SetTitle(FittingFolder(folder_, line->GetRect().Width()));
  }
  return Relist();
}

const std::string& MFileDialog::Folder() const { return folder_; }

bool MFileDialog::Relist() {
  std::vector<std::string> patterns;
  for (const std::u16string& pattern : Patterns()) patterns.push_back(ToUtf8(pattern));
  const FolderListing listing(folder_, patterns);
  names_ = listing.Folders();
  folderCount_ = static_cast<int>(names_.size());
  names_.insert(names_.end(), listing.Files().begin(), listing.Files().end());
  auto* list = static_cast<MListBox*>(GetControl(FILEDIALOG_LIST_ID));
  if (list != nullptr) {
    list->DeleteAllItems();
    for (int row = 0; row < static_cast<int>(names_.size()); ++row) {
      list->AddString(ToUtf16(names_[row]) + (row < folderCount_ ? u"/" : u""), -1, row);
    }
  }
  const bool readable = listing.Status() == ListingStatus::Read;
  if (MControl* note = GetControl(FILEDIALOG_NOTE_ID)) note->SetVisible(!readable);
  return readable;
}

std::vector<std::u16string> MFileDialog::Patterns() const {
  const auto* combo = static_cast<MComboBox*>(GetControl(FILEDIALOG_FILTER_ID));
  const int chosen = combo != nullptr ? combo->GetCurSel() : 0;
  if (chosen < 0 || chosen >= static_cast<int>(request_.filters.size())) return {};
  return request_.filters[chosen].patterns;
}

int MFileDialog::SelectedRow() const {
  const auto* list = static_cast<MListBox*>(GetControl(FILEDIALOG_LIST_ID));
  return list != nullptr ? list->GetCurSel() : -1;
}

void MFileDialog::ActivateRow(int row) {
  if (row < 0 || row >= static_cast<int>(names_.size())) return;
  const std::string path = Joined(folder_, names_[row]);
  if (row < folderCount_) {
    OpenFolder(path);
    return;
  }
  TakeNameOf(row);
  Finish(path);
}

void MFileDialog::Accept() {
  auto* name = static_cast<MEdit*>(GetControl(FILEDIALOG_NAME_ID));
  const std::u16string typed = name != nullptr ? Trimmed(name->GetEditText()) : std::u16string{};
  if (request_.mode == FileChooserMode::Open || typed.empty()) {
    ActivateRow(SelectedRow());
    return;
  }
  const std::string utf8 = ToUtf8(typed);
  const std::string direct = utf8.front() == '/' ? utf8 : Joined(folder_, utf8);
  if (IsFolder(direct)) {  // a typed folder name goes there, as in a shell
    name->SetEditText(u"");
    OpenFolder(direct);
    return;
  }
  Finish(SavePath(typed));
}

std::string MFileDialog::SavePath(const std::u16string& typed) const {
  const std::string utf8 = ToUtf8(typed);
  std::string path = utf8.front() == '/' ? utf8 : Joined(folder_, utf8);
  const std::string leaf = fs::path(path).filename().string();
  if (!request_.defaultExtension.empty() && leaf.find('.') == std::string::npos) {
    path += "." + ToUtf8(request_.defaultExtension);
  }
  return path;
}

void MFileDialog::Finish(const std::string& path) {
  if (request_.mode == FileChooserMode::Save && Exists(path)) {
    const std::u16string question = u"\"" + ToUtf16(fs::path(path).filename().string()) +
                                    u"\" already exists.\nDo you want to replace it?";
    if (MMessageBox::Show(hwnd_, question, request_.title, MB_YESNO) != IDYES) return;
  }
  chosen_ = path;
  DoOK();
}

void MFileDialog::TakeNameOf(int row) {
  auto* name = static_cast<MEdit*>(GetControl(FILEDIALOG_NAME_ID));
  if (name != nullptr && row >= folderCount_ && row < static_cast<int>(names_.size())) {
    name->SetEditText(ToUtf16(names_[row]));
  }
}

void MFileDialog::InitUI(const Rect& client) {
  if (LoadBKImage(u"msgbox_bk.png") == 1) SetBackMode(BACK_MODE_STRETCH, kSkinCorner);
  const int right = client.right - kMargin;
  if (auto* title = static_cast<MText*>(
          CreateControl(u"MText", FILEDIALOG_TITLE_ID, Rect{kMargin, 14, right, 38}, request_.title, true, true))) {
    title->SetFontStyle(static_cast<std::uint32_t>(FontStyle::Bold));
    title->SetTextColor(kTitleInk);
  }
  if (auto* up = static_cast<MButton*>(
          CreateControl(u"MButton", FILEDIALOG_UP_ID, Rect{kMargin, 48, kMargin + 30, 78}, u"", true, true))) {
    up->SetImage(u"btn_direction_top.png", 8);  // the first four frames are the plain states
  }
  if (auto* line = static_cast<MText*>(
          CreateControl(u"MText", FILEDIALOG_FOLDER_ID, Rect{kMargin + 40, 48, right, 78}, u"", true, true))) {
    line->SetTextColor(kTextInk);
  }
  const int listBottom = (request_.mode == FileChooserMode::Save ? kNameTop : kBottomTop) - 10;
  if (auto* well = static_cast<CArea*>(CreateControl(u"CArea", 0, Rect{kMargin, kListTop, right, listBottom}, u"",
                                                     true, true))) {
    well->SetTransparent(0, 0, GdiColor::FromRgb(22, 26, 30));
    well->SetFrame(true, kWellFrame);
  }
  if (auto* list = static_cast<MListBox*>(
          CreateControl(u"MListBox", FILEDIALOG_LIST_ID, Rect{kMargin + 1, kListTop + 1, right - 1, listBottom - 1}, u"", true, true))) {
    list->SetTabStop(true);
    list->SetTextColor(kTextInk);
  }
  if (auto* note = static_cast<MText*>(CreateControl(u"MText", FILEDIALOG_NOTE_ID,
                                                     Rect{kMargin + 10, kListTop + 8, right - 10, kListTop + 34},
                                                     u"This folder cannot be read.", false, true))) {
    note->SetTextColor(kNoteInk);
  }
  BuildBottom(client);
}

void MFileDialog::BuildBottom(const Rect& client) {
  const int right = client.right - kMargin;
  if (request_.mode == FileChooserMode::Save) {
    if (auto* label = static_cast<MText*>(
            CreateControl(u"MText", 0, Rect{kMargin, kNameTop, kMargin + 60, kNameTop + 30}, u"Name:", true, true))) {
      label->SetTextColor(kTextInk);
    }
    if (auto* name = static_cast<MEdit*>(CreateControl(u"MEdit", FILEDIALOG_NAME_ID,
                                                       Rect{kMargin + 60, kNameTop, right, kNameTop + 30},
                                                       request_.suggestedName, true, true))) {
      name->SetImage(u"img_edit.png", 4);
      name->SetTabStop(true);
    }
  }
  if (auto* filter = static_cast<MComboBox*>(CreateControl(
          u"MComboBox", FILEDIALOG_FILTER_ID, Rect{kMargin, kBottomTop, kMargin + 280, kBottomTop + 38}, u"", true, true))) {
    filter->SetImage(u"img_combobox.png", 4);
    for (std::size_t i = 0; i < request_.filters.size(); ++i) {
      filter->AddItem(request_.filters[i].text, static_cast<std::int32_t>(i), u"", ArgbColor());
    }
    if (request_.filters.empty()) filter->AddItem(u"All files", 0, u"", ArgbColor());
    filter->SetCurSel(0);
  }
  const int top = kBottomTop + 4;
  const auto button = [&](std::uint32_t id, int left, std::u16string_view label) {
    if (auto* b = static_cast<MButton*>(
            CreateControl(u"MButton", id, Rect{left, top, left + kButtonWidth, top + kButtonHeight}, label, true, true))) {
      b->SetImage(u"msgbox_btn.png", 4);
      b->SetTabStop(true);
    }
  };
  button(FILEDIALOG_ACCEPT_ID, right - 2 * kButtonWidth - 10, request_.mode == FileChooserMode::Save ? u"Save" : u"Open");
  button(FILEDIALOG_CANCEL_ID, right - kButtonWidth, u"Cancel");
  SetFocusControl(GetControl(request_.mode == FileChooserMode::Save ? FILEDIALOG_NAME_ID : FILEDIALOG_LIST_ID));
}

LRESULT MFileDialog::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  const int row = static_cast<int>(wParam);
  if (msg == NOTIFY_CLICKED) {
    if (controlId == FILEDIALOG_ACCEPT_ID) Accept();
    if (controlId == FILEDIALOG_CANCEL_ID) DoCancel();
    if (controlId == FILEDIALOG_UP_ID) OpenFolder(fs::path(folder_).parent_path().string());
    if (controlId == FILEDIALOG_FILTER_ID) Relist();
  } else if (controlId == FILEDIALOG_LIST_ID && msg == NOTIFY_PRESSED) {
    TakeNameOf(row);
  } else if (controlId == FILEDIALOG_LIST_ID && msg == NOTIFY_DBLCLICK) {
    ActivateRow(row);
  }
  return 0;
}

bool MFileDialog::PreTranslateMessage(const MSG& msg) {
  const bool ours = msg.hwnd == hwnd_ || (msg.hwnd != nullptr && IsChild(hwnd_, msg.hwnd));
  if (ours && msg.message == WM_KEYDOWN) {
    const MControl* focus = manager_->GetFocusControl();
    const bool inList = focus != nullptr && focus->GetControlID() == FILEDIALOG_LIST_ID;
    if (msg.wParam == VK_ESCAPE || (msg.wParam == VK_RETURN && focus == GetControl(FILEDIALOG_CANCEL_ID))) {
      DoCancel();
      return true;
    }
    if (msg.wParam == VK_RETURN) {
      if (inList) ActivateRow(SelectedRow());
      else Accept();
      return true;
    }
    if (msg.wParam == VK_BACK && inList) {
      OpenFolder(fs::path(folder_).parent_path().string());
      return true;
    }
  }
  return MDialog::PreTranslateMessage(msg);
}

}  // namespace ZephUI

#include "zephui/MenuWnd.h"

#include <algorithm>
#include <utility>

#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/Message.h"
#include "zephui/MenuItem.h"
#include "zephui/SkinLocator.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kTextSlack = 4;       // kept free after the widest title
constexpr int kSeparatorRoom = 4;   // layout height of a separator row
constexpr int kRowInset = 2;        // rows leave this much of the window's edge free
constexpr int kIconFrames = 4;

int OrTwo(int margin) { return margin != 0 ? margin : 2; }

}  // namespace

MenuWnd::MenuWnd(MObject* owner)
    : MPopupWnd(owner), faceName_(Manager::GetFontName()), fontSize_(Manager::GetFontWidth()) {}

MenuWnd::~MenuWnd() = default;

int MenuWnd::Create(HWND ownerWindow, Point point, UINT messageNumber) {
  return CreateAt(ownerWindow, point, messageNumber);
}

int MenuWnd::Create(HWND ownerWindow, Point point, UINT messageNumber, std::u16string_view backgroundFile,
                    int frameSize, int width, enumBackMode backMode) {
  LoadBKImage(backgroundFile);
  SetBackMode(backMode, frameSize);
  SetMenuWidth(width);
  return CreateAt(ownerWindow, point, messageNumber);
}

int MenuWnd::Create(HWND ownerWindow, Point point, UINT messageNumber, int resourceId, int frameSize, int width,
                    enumBackMode backMode) {
  LoadBKImage(resourceId, u"PNG");
  SetBackMode(backMode, frameSize);
  SetMenuWidth(width);
  return CreateAt(ownerWindow, point, messageNumber);
}

int MenuWnd::CreateAt(HWND ownerWindow, Point point, UINT messageNumber) {
  ownerWindow_ = ownerWindow;
  reportMessage_ = messageNumber;
  anchor_ = point;
  const Rect rect{point.x, point.y, point.x + menuWidth_, point.y + menuWidth_};
  // The style bit tells the desktop this is a menu, not a drop-down list.
  if (MWindow::Create(ownerWindow, u"Menu Window", MWINDOW_DEFAULT_STYLE | ZWS_MENU, 0, rect) == nullptr) return 0;
  ShowWindow(SW_SHOW);  // shown active: losing activation closes it
  return 1;
}

void MenuWnd::InitUI(const Rect& /*clientRect*/) { SetMenuPoint(); }

LRESULT MenuWnd::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  if (closing_) return 0;  // one report per menu: the close is already on its way
  if (ownerWindow_ != nullptr) PostMessage(ownerWindow_, reportMessage_, wParam, static_cast<LPARAM>(controlId));
  if (msg == NOTIFY_CLICKED) {
    closing_ = true;
    CloseWindow();
  }
  return 0;
}

LRESULT MenuWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && OnMenuKey(static_cast<std::uint32_t>(wParam))) return 0;
  return MPopupWnd::OnWindowMessage(msg, wParam, lParam);
}

void MenuWnd::PostNcDestroy() { delete this; }

int MenuWnd::AddMenu(std::u16string_view text, std::uint32_t id, std::u16string_view iconFile, int /*a*/,
                     int /*b*/) {
  MenuItem* row = NewRow(text, id);
  if (row == nullptr) return -1;
  if (!iconFile.empty()) row->SetImage(iconFile, kIconFrames);
  SetMenuPoint();
  return -1;
}

int MenuWnd::AddMenu(std::u16string_view text, std::uint32_t id, int iconResourceId, int /*a*/, int /*b*/) {
  MenuItem* row = NewRow(text, id);
  if (row == nullptr) return -1;
  if (iconResourceId != -1) row->SetImage(iconResourceId, u"PNG", kIconFrames);
  SetMenuPoint();
  return -1;
}

int MenuWnd::AddSeparator(std::uint32_t id, std::u16string_view imageFile) {
  auto* row = static_cast<MenuItem*>(manager_->CreateControl(this, u"MenuItem", id, Rect{}, u"", true, true));
  if (row == nullptr) return -1;
  row->SetSeparator(true);
  if (!imageFile.empty()) row->SetImage(imageFile, 1);
  SetMenuPoint();
  return -1;
}

void MenuWnd::SetMenuPoint() {
  ApplyChanges();  // a change may name a row added since it was recorded
  int y = OrTwo(topMargin_);
  for (MControl* control : manager_->GetControls()) y = PlaceRow(control, y);
  if (hwnd_ == nullptr) return;
  PlaceWindow(menuWidth_, y + OrTwo(bottomMargin_));
  InvalidateRect(nullptr, false);
}

LRESULT MenuWnd::SendMessageToParent(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return OnMessage(controlId, msg, wParam, lParam);
}

void MenuWnd::SetItemTitle(std::u16string_view name, std::u16string title) {
  Change(RowChange{std::u16string(name), std::move(title), -1, -1, -1});
}

void MenuWnd::SetItemVisible(std::u16string_view name, bool on) {
  Change(RowChange{std::u16string(name), {}, on ? 1 : 0, -1, -1});
}

void MenuWnd::SetItemEnable(std::u16string_view name, bool on) {
  Change(RowChange{std::u16string(name), {}, -1, on ? 1 : 0, -1});
}

void MenuWnd::SetItemCheck(std::u16string_view name, int check) {
  Change(RowChange{std::u16string(name), {}, -1, -1, check});
}

MenuItem* MenuWnd::GetHighlightedItem() const {
  for (MenuItem* row : SelectableRows()) {
    if (row->IsHover()) return row;
  }
  return nullptr;
}

void MenuWnd::SetMenuFont(std::u16string face, int size, std::uint32_t style) {
  faceName_ = std::move(face);
  fontSize_ = size;
  fontStyle_ = style;
}

void MenuWnd::SetTextColumn(int x) { textColumn_ = x; }

void MenuWnd::SetItemHeight(int height) { itemHeight_ = height; }

void MenuWnd::SetMenuWidth(int width) { menuWidth_ = width; }

int MenuWnd::GetMenuWidth() const { return menuWidth_; }

void MenuWnd::SetItemFrameWidth(int width) { frameWidth_ = width; }

void MenuWnd::SetMargins(int top, int bottom) {
  topMargin_ = top;
  bottomMargin_ = bottom;
}

bool MenuWnd::SetHoverImage(std::u16string_view fileName) {
  hoverImage_ = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  return hoverImage_ != nullptr;
}

void MenuWnd::SetHoverColor(ArgbColor colour) { hoverColour_ = colour; }

bool MenuWnd::SetCheckImage(std::u16string_view fileName) {
  checkImage_ = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  return checkImage_ != nullptr;
}

UINT MenuWnd::GetReportMessage() const { return reportMessage_; }

HWND MenuWnd::GetOwnerWindow() const { return ownerWindow_; }

MenuItem* MenuWnd::NewRow(std::u16string_view text, std::uint32_t id) {
  Widen(text);
  auto* row = static_cast<MenuItem*>(manager_->CreateControl(this, u"MenuItem", id, Rect{}, text, true, true));
  if (row != nullptr) row->SetFont(faceName_, fontSize_, fontStyle_);
  return row;
}

void MenuWnd::Widen(std::u16string_view text) {
  if (text.empty()) return;
  const int width = MRender::GetTextBounds(RowFont(), TextFormat::SingleLine, 0, text).width;
  if (menuWidth_ - textColumn_ - kTextSlack < width) menuWidth_ = width + textColumn_ + kTextSlack;
}

// Rows draw in the manager's family for the global face; measure with the same.
Font MenuWnd::RowFont() const {
  std::u16string family = manager_->FindTempFont(faceName_);
  if (family.empty()) family = Manager::GetFontName();
  return Font(std::move(family), fontSize_, static_cast<FontStyle>(fontStyle_ & 0x7));
}

int MenuWnd::PlaceRow(MControl* control, int y) {
  auto* row = dynamic_cast<MenuItem*>(control);
  if (row != nullptr) row->SetFrameWidth(frameWidth_);
  if (!control->IsVisible()) {
    control->SetRect(Rect{});
    return y;
  }
  if (row != nullptr && row->IsSeparator()) {
    control->SetRect(Rect{textColumn_ + 1, y + 1, menuWidth_ - 1, y + 2});
    return y + kSeparatorRoom;
  }
  control->SetRect(Rect{kRowInset, y, menuWidth_ - kRowInset, y + itemHeight_});
  if (row != nullptr) {
    row->SetTextColumn(textColumn_);
    row->SetHoverLook(hoverImage_.get(), hoverColour_);
    row->SetCheckImage(checkImage_.get());
  }
  return y + itemHeight_;
}

// Opens beside the point like a context menu: to its left or above it when there is no room on the far side.
void MenuWnd::PlaceWindow(int width, int height) {
  const Rect work = GetMonitorWorkAreaFromPoint(anchor_);
  int x = anchor_.x + width > work.right ? anchor_.x - width : anchor_.x;
  int y = anchor_.y + height > work.bottom ? anchor_.y - height : anchor_.y;
  x = std::clamp(x, work.left, std::max(work.left, work.right - width));
  y = std::clamp(y, work.top, std::max(work.top, work.bottom - height));
  SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MenuWnd::Change(RowChange change) {
  changes_.push_back(std::move(change));
  if (hwnd_ != nullptr) SetMenuPoint();
}

void MenuWnd::ApplyChanges() {
  std::vector<RowChange> waiting;
  for (RowChange& change : changes_) {
    MenuItem* row = nullptr;
    for (MControl* control : manager_->GetControls()) {
      auto* candidate = dynamic_cast<MenuItem*>(control);
      if (candidate != nullptr && !candidate->IsSeparator() && candidate->GetTitle() == change.name) row = candidate;
    }
    if (row == nullptr) {
      waiting.push_back(std::move(change));  // the row may be added later
      continue;
    }
    if (!change.title.empty()) row->SetTitle(change.title);
    if (change.shown != -1) row->SetVisible(change.shown == 1);
    if (change.enabled != -1) row->SetEnabled(change.enabled == 1);
    if (change.check != -1) row->SetControlCheck(change.check == 1);
  }
  changes_ = std::move(waiting);
}

bool MenuWnd::OnMenuKey(std::uint32_t key) {
  switch (key) {
    case VK_DOWN: MoveHighlight(1); return true;
    case VK_UP: MoveHighlight(-1); return true;
    case VK_RETURN:
    case VK_SPACE: ChooseHighlighted(); return true;
    case VK_ESCAPE: CloseWindow(); return true;
    default: return false;
  }
}

void MenuWnd::MoveHighlight(int step) {
  const std::vector<MenuItem*> rows = SelectableRows();
  if (rows.empty()) return;
  const int count = static_cast<int>(rows.size());
  int current = -1;
  for (int i = 0; i < count; ++i) {
    if (rows[i]->IsHover()) current = i;
  }
  const int next = current < 0 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count;
  if (current >= 0) {
    rows[current]->SetState(rows[current]->GetCheck() != 0 ? MENU_ITEM_STATE_PRESSED : MENU_ITEM_STATE_NORMAL);
  }
  rows[next]->SetState(MENU_ITEM_STATE_HOVER);
}

void MenuWnd::ChooseHighlighted() {
  if (MenuItem* row = GetHighlightedItem()) OnMessage(row->GetControlID(), NOTIFY_CLICKED, 0, 0);
}

std::vector<MenuItem*> MenuWnd::SelectableRows() const {
  std::vector<MenuItem*> rows;
  for (MControl* control : manager_->GetControls()) {
    auto* row = dynamic_cast<MenuItem*>(control);
    if (row != nullptr && row->IsVisible() && row->IsEnabled() && !row->IsSeparator()) rows.push_back(row);
  }
  return rows;
}

}  // namespace ZephUI

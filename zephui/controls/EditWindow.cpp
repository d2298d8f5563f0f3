#include "controls/EditWindow.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/RenderCairo.h"
#include "zephui/InputMethod.h"
#include "zephui/MRender.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"
#include "zephui/WindowSurface.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kBlinkMs = 530;

bool Down(std::uint32_t vk) { return (GetKeyState(vk) & 0x8000) != 0; }

EditKeys HeldKeys() {
  EditKeys held = EditKeys::None;
  if (Down(VK_SHIFT)) held = held | EditKeys::Shift;
  if (Down(VK_CONTROL)) held = held | EditKeys::Ctrl;
  return held;
}

Point PointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

EditWindow::EditWindow(PaintManager* host, Events events) : host_(host), events_(std::move(events)) {}

EditWindow::~EditWindow() {
  events_ = Events{};
  DestroyWindow();
}

std::u16string_view EditWindow::GetWindowClassName() const { return u"FSEditWindow"; }

bool EditWindow::Open(HWND parent, const Rect& rect) {
  if (GetSafeHwnd() != nullptr) return true;
  return Create(parent, u"", WS_CHILD | WS_CLIPSIBLINGS, 0, rect) != nullptr;
}

EditEngine& EditWindow::Engine() { return engine_; }

void EditWindow::SetColours(ArgbColor ink, ArgbColor back, ArgbColor selection) {
  ink_ = ink;
  back_ = back;
  selection_ = selection;
}

void EditWindow::EnableCharacters(bool on) { characters_ = on; }

void EditWindow::SetAlignment(HAlign align) { align_ = align; }

void EditWindow::Place(const Rect& rect) {
  MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
  engine_.SetWrapWidth(engine_.Lines() == EditLines::Multi ? rect.Width() : 0);
}

void EditWindow::ShowFocused() {
  engine_.MoveToTextEdge(true, SelectionMove::Move);
  scrollX_ = scrollY_ = 0;
  ShowWindow(SW_SHOWNA);
  SetFocus();
  Refresh();
}

void EditWindow::Hide() {
  if (IsWindowVisible()) ShowWindow(SW_HIDE);
}

void EditWindow::Refresh() { InvalidateRect(nullptr, false); }

// A removed field waits for the host's outermost message: hold one open while the editor reports.
LRESULT EditWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const PaintManager::DispatchScope scope(host_);
  switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_SETFOCUS: return OnFocus(true);
    case WM_KILLFOCUS: return OnFocus(false);
    case WM_KEYDOWN: return OnKey(static_cast<std::uint32_t>(wParam));
    case WM_CHAR: return OnCharacter(static_cast<char16_t>(wParam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      return OnMouse(msg, static_cast<std::uint32_t>(wParam), PointOf(lParam));
    case WM_TIMER:
      if (wParam != TIMER_CARET) break;
      blinkOn_ = !blinkOn_;
      Refresh();
      return 0;
    default: break;
  }
  return CallPreviousProcedure(msg, wParam, lParam);
}

LRESULT EditWindow::OnFocus(bool gained) {
  focused_ = gained;
  blinkOn_ = true;
  if (gained) {
    SetTimer(TIMER_CARET, kBlinkMs);
  } else {
    KillTimer(TIMER_CARET);
  }
  Refresh();
  if (!gained && events_.focusLost) events_.focusLost();
  return 0;
}

LRESULT EditWindow::OnKey(std::uint32_t vk) {
  const bool single = engine_.Lines() == EditLines::Single;
  if (vk == VK_TAB || vk == VK_ESCAPE || (vk == VK_RETURN && single)) {
    const EditorExit exit = vk != VK_TAB ? EditorExit::Finish
                            : Down(VK_SHIFT) ? EditorExit::PreviousField
                                             : EditorExit::NextField;
    if (events_.finished) events_.finished(exit);
    return 0;
  }
  After(engine_.HandleKey(vk, HeldKeys()));
  return 0;
}

LRESULT EditWindow::OnCharacter(char16_t unit) {
  if (!characters_ || Down(VK_CONTROL) || !IsWindowVisible()) return 0;  // Ctrl+letters are commands, not text
  After(engine_.TypeUnit(unit));
  return 0;
}

LRESULT EditWindow::OnMouse(UINT msg, std::uint32_t flags, Point point) {
  const Point origin = Origin();
  const Point at{point.x - origin.x, point.y - origin.y};
  if (msg == WM_LBUTTONDBLCLK) {
    engine_.SelectWordAt(at);
    Refresh();
  } else if (msg == WM_LBUTTONDOWN) {
    SetCapture();
    if (!focused_) SetFocus();
    After(engine_.PlaceCaret(at, (flags & MK_SHIFT) != 0 ? SelectionMove::Extend : SelectionMove::Move));
  } else if (msg == WM_MOUSEMOVE && (flags & MK_LBUTTON) != 0 && GetCapture() == GetSafeHwnd()) {
    After(engine_.PlaceCaret(at, SelectionMove::Extend));
  } else if (msg == WM_LBUTTONUP) {
    ReleaseCapture();
  }
  return 0;
}

void EditWindow::After(EditOutcome outcome) {
  if (outcome == EditOutcome::Ignored) return;
  blinkOn_ = true;
  Refresh();
  if (outcome == EditOutcome::TextChanged && events_.changed) events_.changed();
}

Point EditWindow::Origin() {
  Rect client;
  GetClientRect(client);
  const Rect caret = engine_.CaretRect();
  const int width = std::max(client.Width() - 1, 1);
  if (caret.left - scrollX_ >= width) scrollX_ = caret.left - width + 1;
  if (caret.left - scrollX_ < 0) scrollX_ = caret.left;
  if (engine_.Lines() == EditLines::Single) {
    const Size text = engine_.LayoutSize();
    const int spare = std::max(client.Width() - 1 - text.width, 0);
    const int shift = align_ == HAlign::Center ? spare / 2 : align_ == HAlign::Right ? spare : 0;
    return Point{shift - scrollX_, (client.Height() - text.height) / 2};
  }
  if (caret.bottom - scrollY_ > client.Height()) scrollY_ = caret.bottom - client.Height();
  if (caret.top - scrollY_ < 0) scrollY_ = caret.top;
  return Point{-scrollX_, -scrollY_};
}

void EditWindow::Paint() {
  BeginPaint(hwnd_);
  EndPaint(hwnd_);
  Rect client;
  if (!GetClientRect(client) || client.Width() <= 0 || client.Height() <= 0) return;
  const WindowSurface surface(hwnd_);
  if (!surface.IsValid()) return;
  {
    RenderContext context = RenderCairo::ForSurface(surface.Get());
    MRender::FillSolidRect(context, client, GdiColor(0));
    MRender::DrawColor(context, client, back_);
    const Point origin = Origin();
    engine_.Draw(context, origin, ink_, focused_ ? selection_ : ArgbColor());
    const Rect caret = engine_.CaretRect();
    if (focused_) SetInputMethodSpot(hwnd_, Point{origin.x + caret.left, origin.y + caret.bottom});
    if (focused_ && blinkOn_) {
      MRender::DrawColor(context,
                         Rect{origin.x + caret.left, origin.y + caret.top, origin.x + caret.left + 1,
                              origin.y + caret.bottom},
                         ink_);
    }
    context.Flush();
  }
  PresentWindow(hwnd_);
}

}  // namespace ZephUI

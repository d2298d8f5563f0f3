#include "core/MToolTip.h"

#include <algorithm>
#include <utility>

#include "core/RenderCairo.h"
#include "zephui/Font.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/MessageCodes.h"
#include "zephui/Window.h"
#include "zephui/WindowSurface.h"

namespace ZephUI {
namespace {

constexpr std::u16string_view kClassName = u"ZephToolTip";
constexpr int kMarginX = 4;
constexpr int kMarginY = 3;
constexpr int kGap = 2;
constexpr int kTextSize = 12;

Font TipFont() { return Font(Manager::GetFontName(), kTextSize); }

constexpr TextFormat kWrapFormat = TextFormat::Left | TextFormat::Top | TextFormat::WordBreak;

}  // namespace

MToolTip::MToolTip(HWND host) : host_(host) {}

MToolTip::~MToolTip() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool MToolTip::EnsureWindow() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) return true;
  if (!IsWindowClassRegistered(kClassName)) RegisterWindowClass(kClassName, 0);
  hwnd_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, u"", WS_POPUP, 0, 0, 1, 1,
                         host_, this);
  return hwnd_ != nullptr;
}

Size MToolTip::Measure() const {
  const Size text = MRender::GetTextBounds(TipFont(), kWrapFormat, kMaxWidth - 2 * kMarginX, text_);
  return Size{std::min(text.width + 2 * kMarginX, kMaxWidth), text.height + 2 * kMarginY};
}

void MToolTip::Show(std::u16string text, const Rect& anchor) {
  if (text.empty()) {
    Hide();
    return;
  }
  text_ = std::move(text);
  if (!EnsureWindow()) return;
  const Size size = Measure();
  Point at{anchor.left, anchor.bottom + kGap};
  ClientToScreen(host_, at);
  const Rect work = GetWorkArea();
  at.x = std::clamp(at.x, work.left, std::max(work.left, work.right - size.width));
  at.y = std::clamp(at.y, work.top, std::max(work.top, work.bottom - size.height));
  SetWindowPos(hwnd_, HWND_TOPMOST, at.x, at.y, size.width, size.height, SWP_NOACTIVATE);
  ShowWindow(hwnd_, SW_SHOWNA);
  InvalidateRect(hwnd_, nullptr);
}

void MToolTip::Hide() {
  if (hwnd_ != nullptr && IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

void MToolTip::Relay(const MSG& msg) {
  switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
      Hide();
      break;
    default:
      break;
  }
}

HWND MToolTip::Window() const { return hwnd_; }

bool MToolTip::IsShown() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }

const std::u16string& MToolTip::Text() const { return text_; }

LRESULT MToolTip::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint(hwnd);
    return 0;
  }
  if (message == WM_NCDESTROY && hwnd == hwnd_) hwnd_ = nullptr;
  if (message == WM_ACTIVATEAPP && wParam == 0) Hide();  // another program took the focus
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProc(hwnd, message, wParam, lParam);
}

void MToolTip::Paint(HWND hwnd) {
  BeginPaint(hwnd);
  WindowSurface surface(hwnd);
  if (surface.IsValid()) {
    RenderContext hdc = RenderCairo::ForSurface(surface.Get());
    const Rect all{0, 0, surface.Width(), surface.Height()};
    MRender::FillSolidRect(hdc, all, GdiColor::FromRgb(255, 255, 255));
    MRender::DrawRectangle(hdc, all, ArgbColor(0xFF767676));
    // The width Measure wrapped at, so the text is laid out as it was measured.
    const Rect box{kMarginX, kMarginY, kMaxWidth - kMarginX, all.bottom - kMarginY};
    MRender::DrawTextW(hdc, box, text_, ArgbColor(0xFF000000), TipFont(), kWrapFormat);
    hdc.Flush();
  }
  PresentWindow(hwnd);
  EndPaint(hwnd);
}

}  // namespace ZephUI

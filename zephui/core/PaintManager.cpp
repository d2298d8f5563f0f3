// Set-up, window access, message routing and teardown of the paint manager.
#include "zephui/PaintManager.h"

#include <filesystem>
#include <utility>

#include "core/ManagerMessages.h"
#include "core/PaintManagerState.h"
#include "zephui/MControl.h"
#include "zephui/Message.h"
#include "zephui/SkinLocator.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kDefaultScrollVertical = 102;
constexpr int kDefaultScrollHorizontal = 101;
constexpr int kLibraryFontResource = 106;

Point PointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

std::uint32_t FlagsOf(WPARAM wParam) { return static_cast<std::uint32_t>(LOWORD(wParam)); }

}  // namespace

PaintManager::DispatchScope::DispatchScope(PaintManager* manager) : manager_(manager) {
  if (manager_ == nullptr) return;
  disposal_ = manager_->state_->disposal;
  entered_ = disposal_->Enter();
}

PaintManager::DispatchScope::~DispatchScope() {
  if (entered_) disposal_->Leave();
}

PaintManager::PaintManager(MWindow* window) : state_(std::make_unique<State>(window)) {
  State* state = state_.get();
  state_->disposal->SetQuiesce([state] { std::lock_guard lock(state->animationLock); });
}

PaintManager::~PaintManager() {
  DestroyData();
  KillMTimer();
  for (int kind : {2, 0, 1}) ClearList(kind);  // a manager that never saw Init
  state_->disposal->SetQuiesce(nullptr);                   // no tick runs any more
  state_->disposal->FlushIfIdle();
}

void PaintManager::Init(HWND hwnd, MWindow* window) {
  if (!IsWindow(hwnd)) return;
  state_->hwnd = hwnd;
  state_->window = window;
  state_->windowThread = std::this_thread::get_id();
  state_->disposal->Attach(hwnd, state_->windowThread);
  // Drag and drop onto the window is not offered on this platform.
  const std::pair<std::u16string_view, std::u16string> fonts[] = {
      {u"SourceHanSansCN-Regular.otf", u"SourceHanSansCN-Regular"}, {u"Arial.ttf", u"Arial"}};
  for (const auto& [file, face] : fonts) {
    const std::filesystem::path path = SkinLocator::FontPath(file);
    std::error_code error;
    if (std::filesystem::exists(path, error)) AddTempFont(face, path.u16string());
  }
  state_->initialised = true;
  SetScrollResID(kDefaultScrollVertical, kDefaultScrollHorizontal);
  AddGDITempFont(kLibraryFontResource);
}

bool PaintManager::IsInitialised() const { return state_->initialised; }

bool PaintManager::OnWindowThread() const { return state_->disposal->OnWindowThread(); }

HWND PaintManager::GetPaintWnd() const { return state_->hwnd; }

MWindow* PaintManager::GetMDialog() const { return state_->window; }

HWND PaintManager::GetToolTipWnd() const { return state_->hwnd; }

Rect PaintManager::GetClientRect() const {
  Rect rect;
  ::ZephUI::GetClientRect(state_->hwnd, rect);
  return rect;
}

Rect PaintManager::GetWindowRect() const {
  Rect rect;
  ::ZephUI::GetWindowRect(state_->hwnd, rect);
  return rect;
}

void PaintManager::GetClientSize(int& width, int& height) const {
  const Rect rect = GetClientRect();
  width = rect.Width();
  height = rect.Height();
}

void PaintManager::SetCaptionRect(const Rect& rect) { state_->caption = rect; }

Rect PaintManager::GetCaptionRect() const { return state_->caption; }

void PaintManager::SetWindowMaxSize(int width, int height) { state_->maxSize = Point{width, height}; }

void PaintManager::GetWindowManSize(int& width, int& height) const {
  width = state_->maxSize.x;
  height = state_->maxSize.y;
}

void PaintManager::SetWindowMixSize(int width, int height) { state_->minSize = Point{width, height}; }

void PaintManager::GetWindowMinSize(int& width, int& height) const {
  width = state_->minSize.x;
  height = state_->minSize.y;
}

void PaintManager::SetCapture() {
  if (!IsWindow(state_->hwnd)) return;
  ::ZephUI::SetCapture(state_->hwnd);
  state_->captured = true;
}

void PaintManager::ReleaseCapture() {
  if (GetCapture() == state_->hwnd && state_->hwnd != nullptr) ::ZephUI::ReleaseCapture();
  state_->captured = false;
}

bool PaintManager::IsCaptured() const { return state_->captured; }

void PaintManager::SetLayeredWindow(bool layered) {
  if (state_->layered.exchange(layered) != layered) Invalidate();  // alpha and ink are composed differently
}

bool PaintManager::IsLayered() const { return state_->layered; }

void PaintManager::EnableWndDrag(bool enable) { state_->windowDrag = enable; }

bool PaintManager::IsWndDragEnabled() const { return state_->windowDrag; }

LRESULT PaintManager::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return IsWindow(state_->hwnd) ? SendMessage(state_->hwnd, msg, wParam, lParam) : 0;
}

LRESULT PaintManager::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam) { return SendMessageW(msg, wParam, lParam); }

LRESULT PaintManager::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  DispatchScope scope(this);
  if (msg == kManagerWakeMessage) {
    DoPendingWindowWork();
    return 1;
  }
  for (MControl* control : GetControls()) {
    if (control->OnWindowMessage(msg, wParam, lParam) != 0) return 0;
  }
  bool handled = false;
  LRESULT result = RouteWindowMessage(msg, wParam, lParam, handled);
  if (!handled) result = RouteInputMessage(msg, wParam, lParam, handled);
  return result;
}

LRESULT PaintManager::RouteWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (msg) {
    case WM_PAINT: return OnPaint() != 0 ? 1 : 0;
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_CHAR:
    case WM_MOUSEHOVER: return 1;
    case WM_NCDESTROY: DestroyData(); return 1;
    case WM_NCACTIVATE: return OnNcActivate(wParam != 0) != 0 ? 1 : 0;
    case WM_TIMER: return OnTimer(static_cast<std::uintptr_t>(wParam)) != 0 ? 1 : 0;
    case WM_COMMAND:
    case kCtlColorEdit:
    case kCtlColorStatic: {
      const HWND child = reinterpret_cast<HWND>(lParam);
      if (child != nullptr && IsChild(state_->hwnd, child)) return SendMessage(child, msg + kReflectOffset, wParam, lParam);
      return 0;
    }
    default: handled = false; return 0;
  }
}

LRESULT PaintManager::RouteInputMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  const Point point = PointOf(lParam);
  const std::uint32_t flags = FlagsOf(wParam);
  LRESULT result = 0;
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: result = OnKeyDown(static_cast<std::uint32_t>(wParam)); break;
    case WM_KEYUP: result = OnKeyUp(static_cast<std::uint32_t>(wParam)); break;
    case WM_MOUSEMOVE: result = OnMouseMove(flags, point); break;
    case WM_LBUTTONDOWN: result = OnLButtonDown(flags, point); break;
    case WM_LBUTTONUP: result = OnLButtonUp(flags, point); break;
    case WM_LBUTTONDBLCLK: result = OnLButtonDblClk(flags, point); break;
    case WM_RBUTTONDOWN: result = OnRButtonDown(flags, point); break;
    case WM_RBUTTONUP: result = OnRButtonUp(flags, point); break;
    case WM_RBUTTONDBLCLK: result = OnRButtonDblClk(flags, point); break;
    case WM_MOUSEWHEEL: result = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point); break;
    case WM_MOUSELEAVE: result = OnMouseLeave(); break;
    default: handled = false; break;
  }
  return result != 0 ? 1 : 0;
}

bool PaintManager::PreTranslateMessage(const MSG& msg) {
  DispatchScope scope(this);
  if (msg.hwnd != state_->hwnd || state_->hwnd == nullptr) return false;
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_TAB) {
    const std::uint32_t modifiers = CurrentModifierMask();
    MControl* next = nullptr;
    if (modifiers == 0) {
      next = GetNextFocusableControl();
    } else if (modifiers == MODIFIER_SHIFT) {
      next = GetPrevFocusableControl();
    } else {
      return false;
    }
    if (next == GetFocusControl()) return false;
    SetFocusControl(next);
    return true;
  }
  const bool pointer = (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MBUTTONUP) || msg.message == WM_MOUSEWHEEL;
  if (pointer && state_->tooltip) state_->tooltip->Relay(msg);
  return false;
}

void PaintManager::OnDestroyMessage(HWND hwnd) {
  if (hwnd == state_->hwnd) DestroyData();
}

void PaintManager::DoPendingWindowWork() {
  if (state_->hideTooltipPending.exchange(false)) {
    std::uint32_t owner = 0;
    {
      std::lock_guard lock(state_->refLock);
      owner = state_->tooltipOwner;
    }
    if (owner == 0 && state_->tooltip) state_->tooltip->Hide();
  }
  if (state_->releaseCapturePending.exchange(false) && state_->Get(&State::hover) == nullptr) {
    state_->pressed = false;
    ReleaseCapture();
  }
}

void PaintManager::DestroyData() {
  if (!state_->initialised.exchange(false)) return;
  state_->background.reset();
  KillMTimer();
  ClearTimers();
  for (int kind : {2, 0, 1}) ClearList(kind);  // unlisted first: they may name a panel as parent
  const HWND hwnd = state_->hwnd;
  for (std::uintptr_t id : {TIMER_MESSAGE_HOLD, TIMER_MESSAGE_FADE, TIMER_PROGRESS, TIMER_CARET, kPaintPaceTimer,
                             kSpareImagesTimer}) {
    ::ZephUI::KillTimer(hwnd, id);
  }
  state_->tooltip.reset();
  state_->dropBitmap.reset();
  // Controls still running a handler may draw their pictures until the message is finished.
  state_->disposal->Defer(state_->images.TakeAll());
  ClearTempFont();
  state_->balloon.reset();
  state_->shadow.reset();
  state_->disposal->FlushIfIdle();
}

}  // namespace ZephUI

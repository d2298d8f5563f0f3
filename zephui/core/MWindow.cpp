// MWindow: creation, class registration, the default handlers and the modal loop.
#include "zephui/MWindow.h"

#include "core/MWindowProcedure.h"
#include "zephui/Message.h"
#include "zephui/ModalLoop.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr std::u16string_view kDefaultName = u"ZephClient";
constexpr Rect kDefaultRect{0, 0, 800, 600};
constexpr std::uint32_t kClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;

bool Registered(std::u16string_view className) {
  return RegisterWindowClass(className, kClassStyle) || IsWindowClassRegistered(className);
}

// Gives the owner its input back once the modal window is done with it.
void ReleaseOwner(HWND owner) {
  if (owner == nullptr) return;
  EnableWindow(owner, InputState::Enabled);
  SetFocus(owner);
}

bool IsSelfOrChild(HWND window, HWND target) { return target == window || IsChild(window, target); }

}  // namespace

MWindow::MWindow() : procedure_(std::make_unique<Procedure>(*this)) {}

MWindow::~MWindow() {
  if (hwnd_ != nullptr) ZephUI::DestroyWindow(hwnd_);
}

std::u16string_view MWindow::GetWindowClassName() const { return kDefaultName; }

std::u16string_view MWindow::GetSuperClassName() const { return {}; }

bool MWindow::ShowWindow(int command) { return hwnd_ != nullptr && ZephUI::ShowWindow(hwnd_, command); }

LRESULT MWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallPreviousProcedure(msg, wParam, lParam);
}

bool MWindow::PreTranslateMessage(const MSG& /*msg*/) { return false; }

int MWindow::OnInitDialog() { return 1; }

void MWindow::OnDestroyMessage(HWND /*hwnd*/) {}

HWND MWindow::Create(HWND parent) { return Create(parent, kDefaultRect); }

HWND MWindow::Create(HWND parent, const Rect& rect) {
  return Create(parent, kDefaultName, MWINDOW_DEFAULT_STYLE, 0, rect);
}

HWND MWindow::Create(HWND parent, std::u16string_view name, std::uint32_t style, std::uint32_t exStyle,
                     const Rect& rect) {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) return hwnd_;
  const bool registered = GetSuperClassName().empty() ? RegisterWindowClass() : RegisterSuperClass();
  if (!registered) return nullptr;
  parent_ = parent;
  const HWND hwnd = CreateWindowEx(exStyle, GetWindowClassName(), name, style, rect.left, rect.top, rect.Width(),
                                   rect.Height(), parent, procedure_.get(), this);
  if (hwnd == nullptr) return nullptr;
  OnInitDialog();
  return hwnd_;
}

HWND MWindow::Create(HWND parent, std::u16string_view name, std::uint32_t style, std::uint32_t exStyle,
                     const Rect& rect, std::intptr_t /*menu*/) {
  return Create(parent, name, style, exStyle, rect);
}

bool MWindow::RegisterWindowClass() { return Registered(GetWindowClassName()); }

// Classes carry only a style here, so a super class is its base's name made known under ours.
bool MWindow::RegisterSuperClass() {
  if (!IsWindowClassRegistered(GetSuperClassName())) return false;
  procedure_->UseControlProperty();
  return Registered(GetWindowClassName());
}

LRESULT MWindow::CallPreviousProcedure(UINT msg, WPARAM wParam, LPARAM lParam) {
  return Procedure::CallPrevious(hwnd_, msg, wParam, lParam);
}

// The object may be deleted inside the loop (PostNcDestroy), so only locals are used after it.
std::uint32_t MWindow::ShowModal(int showCommand) {
  if (hwnd_ == nullptr || !IsWindow(hwnd_)) return static_cast<std::uint32_t>(-1);
  const HWND hwnd = hwnd_;
  const HWND owner = GetParent(hwnd);
  ShowWindow(showCommand);
  std::uint32_t result = 0;
  if (!IsWindow(hwnd)) return result;
  if (owner != nullptr) ZephUI::EnableWindow(owner, InputState::Disabled);
  ModalLoop loop;
  procedure_->WatchModal(&loop);
  const auto filter = [this, hwnd, owner, &result](const MSG& msg) {
    if (msg.message == WM_CLOSE && msg.hwnd == hwnd) {
      result = static_cast<std::uint32_t>(msg.wParam);
      ReleaseOwner(owner);
    }
    return IsSelfOrChild(hwnd, msg.hwnd) && PreTranslateMessage(msg);
  };
  loop.Run(filter);
  if (IsWindow(hwnd)) procedure_->WatchModal(nullptr);
  ReleaseOwner(owner);
  return result;
}

}  // namespace ZephUI

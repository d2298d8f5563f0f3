#include "zephui/MShadow.h"

#include <utility>

#include "core/ShadowPicture.h"
#include "core/WindowFollower.h"
#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"
#include "zephui/Window.h"
#include "zephui/WindowSurface.h"

namespace ZephUI {
namespace {

constexpr std::u16string_view kClassName = u"ShadowWnd";
// Click-through and never activated, so it neither takes input nor focus from its dialog.
constexpr std::uint32_t kExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
constexpr int kLimit = 35;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

Rect Grown(const Rect& r, int by) { return Rect{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

}  // namespace

// The shadow window's procedure is the state itself; the dialog is followed through `follower`.
struct MShadow::State final : WindowProcedure {
  State() : follower([this](WindowFollower::Change change) { OnDialogChange(change); }) {}

  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDialogChange(WindowFollower::Change change);
  void Follow(bool dialogVisible);
  void Place(const Rect& dialog);
  void Render();
  void Restack() const;
  void Hide() const;

  WindowFollower follower;
  HWND dialog = nullptr;
  HWND shadow = nullptr;
  int darkness = 150;
  int sharpness = 5;
  int size = 0;
  Point offset{5, 5};
  GdiColor colour;
  std::unique_ptr<Image> image;
  Rect corner;
  bool wanted = false;  // shown unless the dialog is hidden, minimised or maximised
  bool dirty = true;    // the picture must be drawn again
};

LRESULT MShadow::State::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DWMCOMPOSITIONCHANGED && dialog != nullptr) OnDialogChange(WindowFollower::Change::Placed);
  if (message != WM_PAINT) return DefWindowProc(hwnd, message, wParam, lParam);
  BeginPaint(hwnd);
  EndPaint(hwnd);
  if (dirty) {
    Render();
  } else {
    PresentWindow(hwnd);  // an exposed window shows its picture again
  }
  return 0;
}

void MShadow::State::OnDialogChange(WindowFollower::Change change) {
  switch (change) {
    case WindowFollower::Change::Placed:
      Follow(IsWindowVisible(dialog) && !IsIconic(dialog) && !IsZoomed(dialog));
      break;
    case WindowFollower::Change::Shown:
      Follow(!IsIconic(dialog) && !IsZoomed(dialog));
      break;
    case WindowFollower::Change::Hidden:
      Hide();
      break;
    case WindowFollower::Change::Activated:
      if (IsWindowVisible(shadow)) Restack();
      break;
    case WindowFollower::Change::Destroyed:
      DestroyWindow(std::exchange(shadow, nullptr));
      dialog = nullptr;
      break;
  }
}

void MShadow::State::Follow(bool dialogVisible) {
  if (shadow == nullptr) return;
  Rect rect;
  // Without a compositor a soft shadow would be a solid block: there is none then.
  if (!wanted || !dialogVisible || !IsCompositionEnabled() || !GetWindowRect(dialog, rect)) return Hide();
  Place(rect);
  if (dirty) Render();
  if (!IsWindowVisible(shadow)) ShowWindow(shadow, SW_SHOWNA);
  Restack();
}

// The shadow covers the dialog grown by the size and the soft edge, moved by the offsets.
void MShadow::State::Place(const Rect& dialogRect) {
  const Rect target = Grown(dialogRect, size + (image ? 0 : sharpness));
  Rect now;
  GetWindowRect(shadow, now);
  const Rect moved{target.left + offset.x, target.top + offset.y, target.right + offset.x, target.bottom + offset.y};
  if (moved == now) return;
  if (moved.Width() != now.Width() || moved.Height() != now.Height()) dirty = true;
  SetWindowPos(shadow, nullptr, moved.left, moved.top, moved.Width(), moved.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MShadow::State::Render() {
  const WindowSurface surface(shadow);
  if (!surface.IsValid()) return;
  if (image) {
    ShadowPicture::DrawImage(surface, *image, corner);
  } else {
    Rect client;
    GetClientRect(shadow, client);
    const ShadowShape shape{Grown(client, -sharpness), GetWindowRoundRegion(dialog) / 2, sharpness, darkness, colour};
    ShadowPicture::DrawSoft(surface, shape);
  }
  dirty = false;
  PresentWindow(shadow);
}

// Right behind the dialog; the window system keeps it there as the window manager restacks the dialog.
void MShadow::State::Restack() const {
  SetWindowPos(shadow, dialog, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MShadow::State::Hide() const {
  if (shadow != nullptr && IsWindowVisible(shadow)) ShowWindow(shadow, SW_HIDE);
}

MShadow::MShadow() : state_(std::make_unique<State>()) {}

MShadow::~MShadow() {
  state_->follower.Detach();
  if (state_->shadow != nullptr) DestroyWindow(state_->shadow);
}

bool MShadow::Create(HWND dialog, bool show) {
  if (!IsWindow(dialog)) return false;
  state_->follower.Detach();
  if (state_->shadow != nullptr) DestroyWindow(std::exchange(state_->shadow, nullptr));
  RegisterWindowClass(kClassName, 0);
  state_->shadow = CreateWindowEx(kExStyle, kClassName, u"", WS_POPUP, 0, 0, 1, 1, nullptr, state_.get());
  if (state_->shadow == nullptr) return false;
  state_->dialog = dialog;
  state_->dirty = true;
  state_->follower.Attach(dialog);
  Show(show);
  return true;
}

bool MShadow::SetSize(int size) {
  if (!InRange(size, -kLimit, kLimit)) return false;
  state_->size = size;
  Update();
  return true;
}

bool MShadow::SetSharpness(int sharpness) {
  if (!InRange(sharpness, 0, kLimit)) return false;
  state_->sharpness = sharpness;
  Update();
  return true;
}

bool MShadow::SetDarkness(int darkness) {
  if (!InRange(darkness, 0, 255)) return false;
  state_->darkness = darkness;
  Update();
  return true;
}

bool MShadow::SetPosition(int x, int y) {
  if (!InRange(x, -kLimit, kLimit) || !InRange(y, -kLimit, kLimit)) return false;
  state_->offset = Point{x, y};
  Update();
  return true;
}

bool MShadow::SetColor(GdiColor colour) {
  state_->colour = colour;
  Update();
  return true;
}

bool MShadow::SetImage(std::u16string_view path, const Rect& corner) {
  auto image = MRender::LoadImageFromFile(SkinLocator::SkinPath(path));
  if (!image) return false;
  state_->image = std::move(image);
  if (corner.left >= 0 && corner.top >= 0 && corner.right >= 0 && corner.bottom >= 0) state_->corner = corner;
  Update();
  return true;
}

void MShadow::Show(bool show) {
  state_->wanted = show;
  if (state_->dialog != nullptr) state_->OnDialogChange(WindowFollower::Change::Placed);
}

HWND MShadow::GetHwnd() const { return state_->shadow; }

void MShadow::Update() {
  state_->dirty = true;
  if (state_->dialog != nullptr) state_->OnDialogChange(WindowFollower::Change::Placed);
}

}  // namespace ZephUI

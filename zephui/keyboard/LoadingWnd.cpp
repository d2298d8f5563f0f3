#include "zephui/LoadingWnd.h"

#include <memory>
#include <utility>

#include "keyboard/LoadingPicture.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"
#include "zephui/WindowStyles.h"

namespace ZephUI {
namespace {

constexpr std::uintptr_t kAnimationTimer = 100;
constexpr std::uint32_t kAnimationMs = 18;

std::unique_ptr<Image> SkinImage(std::u16string_view path) {
  return MRender::LoadImageFromFile(SkinLocator::SkinPath(path));
}

}  // namespace

LoadingWnd::LoadingWnd() = default;

LoadingWnd::~LoadingWnd() = default;

HWND LoadingWnd::CreateDlg(HWND owner, const Rect& rect) {
  pendingAnimation_ = SkinImage(u"loading\\loading.gif");
  pendingFrames_ = 0;
  pendingLogo_ = SkinImage(u"logo\\logo_loading.png");
  client_ = Rect{0, 0, rect.Width(), rect.Height()};
  return Create(owner, u"Loading Window", WS_POPUP | WS_VISIBLE, 0, rect);
}

int LoadingWnd::LoadGifImage(std::u16string_view path) {
  std::unique_ptr<Image> animation = SkinImage(path);
  if (!animation) return 0;
  pendingAnimation_ = std::move(animation);
  pendingFrames_ = 0;
  Deliver();
  return 1;
}

int LoadingWnd::LoadAnimateImage(std::u16string_view path, int frames) {
  std::unique_ptr<Image> animation = SkinImage(path);
  if (!animation || frames < 1) return 0;
  pendingAnimation_ = std::move(animation);
  pendingFrames_ = frames;
  Deliver();
  return 1;
}

void LoadingWnd::CloseWindow() {
  if (GetSafeHwnd() == nullptr) return;
  KillTimer(kAnimationTimer);
  DestroyWindow();
  picture_ = nullptr;
}

int LoadingWnd::GetAnimationFrame() const { return picture_ != nullptr ? picture_->GetFrame() : 0; }

int LoadingWnd::OnInitDialog() {
  const int result = MDialog::OnInitDialog();
  auto picture = std::make_unique<LoadingPicture>(this, client_);
  picture_ = static_cast<LoadingPicture*>(GetPaintManager().AddControl(std::move(picture), 0));
  Deliver();
  SetTimer(kAnimationTimer, kAnimationMs);
  closeImage_ = SkinImage(u"img_sys_close.png");
  return result;
}

LRESULT LoadingWnd::OnTimer(std::uintptr_t id) {
  if (id != kAnimationTimer || picture_ == nullptr) return MDialog::OnTimer(id);
  picture_->Step();
  return 1;
}

void LoadingWnd::Deliver() {
  if (picture_ == nullptr) return;
  if (pendingLogo_) picture_->SetLogo(std::move(pendingLogo_));
  if (pendingAnimation_) picture_->SetAnimation(std::move(pendingAnimation_), pendingFrames_);
}

}  // namespace ZephUI

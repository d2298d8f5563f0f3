// The drop shadow and the balloon tip of a window.
#include <utility>

#include "core/PaintManagerState.h"
#include "zephui/MAirBladder.h"
#include "zephui/MShadow.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

void DeleteShadow(MShadow* shadow) { delete shadow; }

void DeleteBalloon(MAirBladder* balloon) { delete balloon; }

// The shadow keeps its parameters before its window exists.
MShadow& EnsureShadow(OpaqueOwner<MShadow>& shadow) {
  if (!shadow) shadow = OpaqueOwner<MShadow>(new MShadow(), &DeleteShadow);
  return *shadow;
}

}  // namespace

void PaintManager::CreateShadow(bool show, bool reinitialise) {
  if (state_->shadowDisabled || !IsWindow(state_->hwnd)) return;
  if (reinitialise) state_->shadow.reset();
  EnsureShadow(state_->shadow).Create(state_->hwnd, show);
}

int PaintManager::SetSize(int size) { return EnsureShadow(state_->shadow).SetSize(size) ? 1 : 0; }

int PaintManager::SetSharpness(int sharpness) { return EnsureShadow(state_->shadow).SetSharpness(sharpness) ? 1 : 0; }

int PaintManager::SetDarkness(int darkness) { return EnsureShadow(state_->shadow).SetDarkness(darkness) ? 1 : 0; }

int PaintManager::SetPosition(int x, int y) { return EnsureShadow(state_->shadow).SetPosition(x, y) ? 1 : 0; }

int PaintManager::SetShadowColor(GdiColor colour) { return EnsureShadow(state_->shadow).SetColor(colour) ? 1 : 0; }

int PaintManager::SetShadowImage(std::u16string_view path, const Rect& corner) {
  return EnsureShadow(state_->shadow).SetImage(path, corner) ? 1 : 0;
}

int PaintManager::SetShadowShow(bool show) {
  if (!state_->shadow) return 0;
  state_->shadow->Show(show && !state_->shadowDisabled);
  return 1;
}

void PaintManager::DisableShadow(bool disable) {
  state_->shadowDisabled = disable;
  if (disable && state_->shadow) state_->shadow->Show(false);
}

MShadow* PaintManager::GetShadow() const { return state_->shadow.get(); }

int PaintManager::SetAirBladderMsg(std::u16string text, Point screen, int type, int mode) {
  if (!IsWindow(state_->hwnd)) return 0;
  if (!state_->balloon) {
    auto balloon = OpaqueOwner<MAirBladder>(new MAirBladder(), &DeleteBalloon);
    // A tool window that never takes activation, so the window manager leaves it alone from the start.
    constexpr std::uint32_t kBalloonExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    if (balloon->Create(state_->hwnd, u"AirBladder Window", WS_POPUP | WS_VISIBLE, kBalloonExStyle,
                        Rect{0, 0, 10, 10}) == nullptr) {
      return 0;
    }
    balloon->LoadBKImage(u"img_tip_bk.png");
    balloon->LoadArrowLImage(u"img_tip_arrow_left.png");
    balloon->LoadArrowRImage(u"img_tip_arrow_right.png");
    balloon->LoadArrowTImage(u"img_tip_arrow_top.png");
    state_->balloon = std::move(balloon);
  }
  state_->balloon->SetAirBladderMsg(std::move(text), screen.x, screen.y, type, mode);
  return 1;
}

int PaintManager::ShowAirBladder(bool show, std::uint32_t owner) {
  if (!state_->balloon) return 0;
  if (owner != 0) {
    if (!show && owner != state_->balloonOwner) return 0;  // only the owner hides it
    state_->balloonOwner = owner;
  }
  state_->balloon->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  return 1;
}

MAirBladder* PaintManager::GetAirBladder() const { return state_->balloon.get(); }

}  // namespace ZephUI

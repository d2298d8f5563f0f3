// MDialog: the factory, appearance, shadow, overlays, timers and close codes,
// mostly handed to the paint manager.
#include "zephui/MDialog.h"

#include <utility>

namespace ZephUI {
namespace {

constexpr int kMessageWidth = 200;
constexpr int kMessageHeight = 58;
constexpr int kMessageBottomGap = 2;
constexpr int kBalloonMode = 3;

enum CloseCode : WPARAM { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

}  // namespace

MControl* MDialog::CreateControl(std::u16string_view className, std::uint32_t id, const Rect& rect,
                                 std::u16string_view text, bool visible, bool enabled) {
  return manager_->CreateControl(this, className, id, rect, text, visible, enabled);
}

MControl* MDialog::CreateArea(std::u16string_view className, std::uint32_t id, const Rect& rect,
                              std::u16string_view text, bool visible, bool enabled) {
  return manager_->CreateArea(this, className, id, rect, text, visible, enabled);
}

MControl* MDialog::GetControl(std::uint32_t id) const { return manager_->GetControl(id); }

std::vector<MControl*> MDialog::GetControls() const { return manager_->GetControls(); }

void MDialog::SetFocusControl(MControl* control) { manager_->SetFocusControl(control); }

PaintManager& MDialog::GetPaintManager() { return *manager_; }

int MDialog::LoadBKImage(std::u16string_view fileName) { return manager_->LoadBKImage(fileName); }

int MDialog::LoadBKImage(int resourceId, std::u16string_view resourceType) {
  return manager_->LoadBKImage(resourceId, resourceType);
}

void MDialog::SetBackMode(enumBackMode mode, int frameSize) { manager_->SetBackMode(mode, frameSize); }

void MDialog::SetScrollResID(int vertical, int horizontal) { manager_->SetScrollResID(vertical, horizontal); }

void MDialog::SetLayeredWindow(bool layered) { manager_->SetLayeredWindow(layered); }

void MDialog::EnableWndDrag(bool enable) { manager_->EnableWndDrag(enable); }

void MDialog::SetColorKey(GdiColor key) { colourKey_ = key; }

void MDialog::SetWindowAlpha(std::uint8_t alpha) { alpha_ = alpha; }

void MDialog::SetMessageOffset(int offset) { messageOffset_ = offset; }

void MDialog::CreateShadow(bool show, bool reinitialise) { manager_->CreateShadow(show, reinitialise); }

int MDialog::SetSize(int size) { return manager_->SetSize(size); }

int MDialog::SetSharpness(int sharpness) { return manager_->SetSharpness(sharpness); }

int MDialog::SetDarkness(int darkness) { return manager_->SetDarkness(darkness); }

int MDialog::SetPosition(int x, int y) { return manager_->SetPosition(x, y); }

int MDialog::SetShadowColor(GdiColor colour) { return manager_->SetShadowColor(colour); }

int MDialog::SetShadowImage(std::u16string_view path, const Rect& corner) {
  return manager_->SetShadowImage(path, corner);
}

int MDialog::SetShadowShow(bool show) { return manager_->SetShadowShow(show); }

// An empty box becomes one 200 x 58 centred at the bottom of the client area, 2 pixels above its edge.
void MDialog::SetMessage(std::u16string text, const Rect& rect, MsgLevel level) {
  Rect box = rect;
  if (box.Width() <= 0 || box.Height() <= 0) {
    Rect client = clientRect_;
    GetClientRect(client);
    const int left = client.Width() / 2 - kMessageWidth / 2;
    const int bottom = client.bottom - kMessageBottomGap + messageOffset_;
    box = Rect{left, bottom - kMessageHeight, left + kMessageWidth, bottom};
  }
  manager_->SetMessage(std::move(text), box, level);
}

void MDialog::SetProgress(int percent, std::u16string text, const Rect& rect) {
  manager_->SetProgress(percent, std::move(text), rect);
}

void MDialog::SetTooltip(std::u16string text, const Rect& rect) { manager_->SetTooltip(std::move(text), rect); }

void MDialog::ClearTooltip() { manager_->ClearTooltip(); }

int MDialog::SetAirBladderMsg(std::u16string text, Point screen, int type) {
  if (screen.x == 0 || screen.y == 0) return 0;
  manager_->SetAirBladderMsg(std::move(text), screen, type, kBalloonMode);
  manager_->ShowAirBladder(true, 0);
  return 1;
}

std::uint32_t MDialog::SetMTimer(std::uint32_t ms) { return manager_->SetMTimer(ms); }

int MDialog::KillMTimer(std::uint32_t id) { return manager_->KillMTimer(id); }

void MDialog::DoOK() { PostMessageW(WM_DIALOG_CLOSE, kOk, 0); }

void MDialog::DoCancel() { PostMessageW(WM_DIALOG_CLOSE, kCancel, 0); }

void MDialog::DoClose() { PostMessageW(WM_DIALOG_CLOSE, kCancel, 0); }

void MDialog::DoYes() { PostMessageW(WM_DIALOG_CLOSE, kYes, 0); }

void MDialog::DoNo() { PostMessageW(WM_DIALOG_CLOSE, kNo, 0); }

}  // namespace ZephUI

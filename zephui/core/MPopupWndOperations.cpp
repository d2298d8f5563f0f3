// MPopupWnd: the factory and appearance, handed to the paint manager.
#include "zephui/MPopupWnd.h"

namespace ZephUI {

int MPopupWnd::LoadBKImage(std::u16string_view fileName) { return manager_->LoadBKImage(fileName); }

int MPopupWnd::LoadBKImage(int resourceId, std::u16string_view resourceType) {
  return manager_->LoadBKImage(resourceId, resourceType);
}

void MPopupWnd::SetBackMode(enumBackMode mode, int frameSize) { manager_->SetBackMode(mode, frameSize); }

void MPopupWnd::SetScrollResID(int vertical, int horizontal) { manager_->SetScrollResID(vertical, horizontal); }

void MPopupWnd::SetLayeredWindow(bool layered) { manager_->SetLayeredWindow(layered); }

MControl* MPopupWnd::CreateControl(std::u16string_view className, std::uint32_t id, const Rect& rect,
                                   std::u16string_view text, bool visible, bool enabled) {
  return manager_->CreateControl(this, className, id, rect, text, visible, enabled);
}

MControl* MPopupWnd::CreateArea(std::u16string_view className, std::uint32_t id, const Rect& rect,
                                std::u16string_view text, bool visible, bool enabled) {
  return manager_->CreateArea(this, className, id, rect, text, visible, enabled);
}

MControl* MPopupWnd::GetControl(std::uint32_t id) const { return manager_->GetControl(id); }

PaintManager& MPopupWnd::GetPaintManager() { return *manager_; }

}  // namespace ZephUI

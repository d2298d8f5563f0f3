#include "backend/headless/HeadlessWindow.h"

#include "backend/headless/HeadlessBackend.h"

namespace ZephUI::Backend {

HeadlessWindow::~HeadlessWindow() { backend_.Forget(hwnd_); }

void HeadlessWindow::Present(const FrameSource& frame, const Rect& damage) {
  backend_.StoreImage(hwnd_, frame, damage);
}

void HeadlessWindow::SetCursor(CursorType shape) { backend_.SetWindowCursor(hwnd_, shape); }

}  // namespace ZephUI::Backend

// Update rectangles, painting and presentation.
#include "backend/MessageBuilder.h"
#include "backend/Messenger.h"
#include "backend/PaintCycle.h"
#include "backend/Presenter.h"
#include "backend/RectMath.h"
#include "backend/WindowAccess.h"
#include "zephui/Window.h"

namespace ZephUI {

bool InvalidateRect(HWND hwnd, const Rect* rect) { return Backend::PaintCycle::Invalidate(hwnd, rect); }

bool ValidateRect(HWND hwnd, const Rect* rect) { return Backend::PaintCycle::Validate(hwnd, rect); }

bool GetUpdateRect(HWND hwnd, Rect& rect) {
  rect = Backend::PaintCycle::UpdateRect(hwnd);
  return !Backend::IsEmpty(rect);
}

Rect BeginPaint(HWND hwnd) { return Backend::PaintCycle::Begin(hwnd); }

void EndPaint(HWND hwnd) {
  Backend::WithWindow<bool>(hwnd, false, [](Backend::WindowRecord& r) {
    r.painting = Rect{};
    return true;
  });
}

bool UpdateWindow(HWND hwnd) {
  const bool foreign = Backend::WithState([hwnd](Backend::WindowState& state) {
    const Backend::WindowRecord* r = state.Find(hwnd);
    return r != nullptr && r->foreignId != 0;
  });
  if (foreign) return true;
  return Backend::Messenger::RunOnOwner(hwnd, [hwnd]() -> LRESULT {
    const bool due = Backend::WithState([hwnd](Backend::WindowState& state) {
      const Backend::WindowRecord* r = state.FindLocal(hwnd);
      return r != nullptr && state.VisibleDeep(hwnd) && !r->Minimized() && !Backend::IsEmpty(r->invalid);
    });
    if (due) Backend::PaintCycle::Dispatch(Backend::MessageBuilder::Make(hwnd, WM_PAINT, 0, 0));
    return 1;
  }) != 0;
}

bool PresentWindow(HWND hwnd) {
  return Backend::Messenger::RunOnOwner(hwnd, [hwnd] { return Backend::Presenter::Present(hwnd, nullptr) ? 1 : 0; }) != 0;
}

bool PresentWindow(HWND hwnd, const Rect& damage) {
  return Backend::Messenger::RunOnOwner(hwnd, [hwnd, damage] { return Backend::Presenter::Present(hwnd, &damage) ? 1 : 0; }) != 0;
}

bool ReleaseSpareWindowImages(HWND hwnd) {
  return Backend::Messenger::RunOnOwner(hwnd, [hwnd]() -> LRESULT {
    Backend::Presenter::ReleaseSpare(hwnd);
    return 1;
  }) != 0;
}

}  // namespace ZephUI

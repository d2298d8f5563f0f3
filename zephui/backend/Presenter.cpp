#include "backend/Presenter.h"

#include <cairo.h>

#include <algorithm>
#include <memory>

#include "backend/NativeAccess.h"
#include "backend/RectMath.h"
#include "backend/ShownFrame.h"
#include "backend/WindowSystem.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

struct PresentJob {
  PixelRule rule;
  std::shared_ptr<ShownFrame> shown;  // kept by the record; shared so a destroyed window cannot pull it away
};

PresentJob TakeJob(HWND hwnd) {
  return WindowSystem::Get().Table().With([hwnd](WindowState& state) {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return PresentJob{};
    if (!record->shown) record->shown = std::make_shared<ShownFrame>();
    const bool layered = (record->exStyle & WS_EX_LAYERED) != 0;
    return PresentJob{PixelRule{layered ? Transparency::PerPixel : Transparency::Opaque, record->layered}, record->shown};
  });
}

}  // namespace

cairo_surface_t* Presenter::SurfaceReference(HWND hwnd) {
  return WindowSystem::Get().Table().With([hwnd](WindowState& state) -> cairo_surface_t* {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return nullptr;
    const int width = std::max(record->rect.Width(), 0);
    const int height = std::max(record->rect.Height(), 0);
    cairo_surface_t* current = record->surface.get();
    if (current == nullptr || cairo_image_surface_get_width(current) != width ||
        cairo_image_surface_get_height(current) != height) {
      record->surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    }
    return cairo_surface_reference(record->surface.get());
  });
}

bool Presenter::Present(HWND hwnd, const Rect* damage) {
  cairo_surface_t* surface = SurfaceReference(hwnd);
  if (surface == nullptr) return false;
  const PresentJob job = TakeJob(hwnd);
  if (!job.shown) {
    cairo_surface_destroy(surface);
    return false;
  }
  // The native window converts from the surface while it is still referenced here.
  const Rect area = job.shown->Take(surface, job.rule, damage);
  if (!IsEmpty(area)) NativeAccess::Apply(hwnd, [&job, &area](NativeWindow& w) { w.Present(*job.shown, area); });
  job.shown->Drop();
  cairo_surface_destroy(surface);
  return true;
}

void Presenter::ReleaseSpare(HWND hwnd) {
  NativeAccess::Apply(hwnd, [](NativeWindow& w) { w.ReleaseSpareImages(); });
}

void Presenter::Release(HWND hwnd) {
  // Taken out under the lock, freed outside it.
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface;
  std::shared_ptr<ShownFrame> shown;
  WindowSystem::Get().Table().With([hwnd, &surface, &shown](WindowState& state) {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return;
    surface = std::move(record->surface);
    shown = std::move(record->shown);
  });
}

}  // namespace ZephUI::Backend

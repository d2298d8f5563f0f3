// Painting: the update rectangle composed off screen in the window surface
// (background, areas, controls, caret, status message) and presented in one
// copy, at most once per pacing interval. The surface keeps the rest of the
// last frame, layered windows included, so whatever changes the picture must
// invalidate where it changes.
#include <cairo.h>

#include <vector>

#include "core/ManagerMessages.h"
#include "core/PaintManagerState.h"
#include "core/RectOps.h"
#include "core/RenderCairo.h"
#include "zephui/MControl.h"
#include "zephui/MRender.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Resources.h"
#include "zephui/SkinLocator.h"
#include "zephui/Window.h"
#include "zephui/WindowSurface.h"

namespace ZephUI {
namespace {

constexpr std::uint8_t kBackAlpha = 254;

void ClearToTransparent(RenderContext& hdc, const Rect& area) {
  cairo_t* cr = RenderCairo::Context(hdc);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
  cairo_fill(cr);
  cairo_restore(cr);
}

// Text drawn without alpha would vanish in a layered window: make such pixels opaque.
void OpaqueUnalphaedInk(const WindowSurface& surface, const Rect& area) {
  std::uint32_t* pixels = surface.Pixels();
  if (pixels == nullptr) return;
  const int stride = surface.Stride() / 4;
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = area.left; x < area.right; ++x) {
      if ((row[x] >> 24) == 0 && (row[x] & 0xFFFFFFu) != 0) row[x] |= 0xFF000000u;
    }
  }
  surface.MarkDirty();
}

}  // namespace

LRESULT PaintManager::OnPaint() {
  WakeMTimer();  // a window shown again may hold controls that animate
  const HWND hwnd = state_->hwnd;
  if (hwnd == nullptr) return 0;
  if (IsIconic(hwnd)) return 1;
  Rect update;
  if (!GetUpdateRect(hwnd, update)) return 0;
  if (DeferPaint(update)) return 1;
  update = BeginPaint(hwnd);
  ComposeAndPresent(update);
  EndPaint(hwnd);
  state_->lastPaint = GetTickCount64();
  state_->paintedOnce = true;
  return 1;
}

bool PaintManager::DeferPaint(const Rect& update) {
  State& s = *state_;
  const std::uint64_t now = GetTickCount64();
  if (!s.paintedOnce || now - s.lastPaint >= kPaintIntervalMs) return false;
  s.heldPaint = RectOps::Union(s.heldPaint, update);
  ValidateRect(s.hwnd, nullptr);
  ::ZephUI::SetTimer(s.hwnd, kPaintPaceTimer, static_cast<std::uint32_t>(kPaintIntervalMs - (now - s.lastPaint)));
  return true;
}

void PaintManager::ComposeAndPresent(const Rect& update) {
  State& s = *state_;
  WindowSurface surface(s.hwnd);
  if (!surface.IsValid()) return;
  const Rect client{0, 0, surface.Width(), surface.Height()};
  const bool layered = s.layered;
  const Size size{client.Width(), client.Height()};
  const Rect area = size == s.composedSize ? RectOps::Intersect(update, client) : client;
  if (RectOps::Empty(area)) return;
  s.composedSize = size;
  {
    RenderContext hdc = RenderCairo::ForSurface(surface.Get());
    hdc.Save();
    hdc.ClipRect(area);
    // The surface keeps the last frame; start the area from nothing, as a fresh bitmap would.
    ClearToTransparent(hdc, area);
    DrawBackImage(hdc, client);
    DrawControl(hdc, area);
    DrawCaret(hdc, area);
    hdc.Flush();
    if (layered) OpaqueUnalphaedInk(surface, area);
    StatusOverlay::Draw(hdc, s.status.Snapshot());
    hdc.Restore();
  }
  if (layered && (GetWindowExStyle(s.hwnd) & WS_EX_LAYERED) == 0) {
    SetWindowExStyle(s.hwnd, GetWindowExStyle(s.hwnd) | WS_EX_LAYERED);
  }
  PresentWindow(s.hwnd, area);
  // Restarted by every paint: only a window that has settled lets its spare images go.
  ::ZephUI::SetTimer(s.hwnd, kSpareImagesTimer, kSpareImagesDelayMs);
}

void PaintManager::DrawBackImage(RenderContext& hdc, const Rect& client) {
  State& s = *state_;
  if (s.background) {
    if (s.backMode == BACK_MODE_STRETCH) {
      MRender::DrawImageFrame(hdc, *s.background, client, 0, 0, s.background->Width(), s.background->Height(),
                              s.frameSize);
    } else {
      MRender::DrawImage(hdc, *s.background, 0, 0);
    }
    return;
  }
  // Side by side, not one over the other, so every pixel keeps alpha 254.
  const ArgbColor border = ToArgb(s.borderColour, kBackAlpha);
  const Rect& c = client;
  MRender::DrawColor(hdc, Rect{c.left, c.top, c.right, c.top + 1}, border);
  MRender::DrawColor(hdc, Rect{c.left, c.bottom - 1, c.right, c.bottom}, border);
  MRender::DrawColor(hdc, Rect{c.left, c.top + 1, c.left + 1, c.bottom - 1}, border);
  MRender::DrawColor(hdc, Rect{c.right - 1, c.top + 1, c.right, c.bottom - 1}, border);
  MRender::DrawColor(hdc, Rect{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1}, ToArgb(s.backColour, kBackAlpha));
}

void PaintManager::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  for (MControl* area : GetAreas()) area->Draw(hdc, paintRect);
  for (MControl* control : GetControls()) control->Draw(hdc, paintRect);
}

void PaintManager::Invalidate() {
  WakeMTimer();
  ::ZephUI::InvalidateRect(state_->hwnd, nullptr);
}

// Layered windows too: the surface keeps the rest of the frame.
void PaintManager::InvalidateRect(const Rect& rect, EraseMode) {
  // A change that shows on screen may also start an animation.
  WakeMTimer();
  ::ZephUI::InvalidateRect(state_->hwnd, &rect);
}

// Controls keep pictures with the background under them copied in.
void PaintManager::RepaintAll() {
  for (const auto& list : {GetAreas(), GetControls()}) {
    for (MControl* entry : list) entry->SetUpdate(false, state_->backColour);
  }
  Invalidate();
}

int PaintManager::LoadBKImage(std::u16string_view fileName) {
  state_->background = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  RepaintAll();
  return state_->background ? 1 : 0;
}

int PaintManager::LoadBKImage(int resourceId, std::u16string_view resourceType) {
  const std::vector<std::uint8_t> bytes = Resources::Find(ResourceModule::Application, resourceId, resourceType);
  state_->background = bytes.empty() ? nullptr : MRender::LoadImageFromMemory(bytes);
  RepaintAll();
  return state_->background ? 1 : 0;
}

void PaintManager::SetBackMode(enumBackMode mode, int frameSize) {
  state_->backMode = mode;
  state_->frameSize = frameSize;
  RepaintAll();
}

void PaintManager::SetBackColor(GdiColor back, GdiColor border) {
  state_->backColour = back;
  state_->borderColour = border;
  RepaintAll();
}

GdiColor PaintManager::GetBackColor() const { return state_->backColour; }

GdiColor PaintManager::GetDefaultEnabledColor() const { return state_->disabledText; }

void PaintManager::SetDefaultEnabledColor(GdiColor colour) { state_->disabledText = colour; }

}  // namespace ZephUI

#include "core/LayeredCompose.h"

#include <cstring>

#include "core/RenderCairo.h"
#include "zephui/Window.h"
#include "zephui/WindowSurface.h"

namespace ZephUI {

bool ComposeLayered(HWND hwnd, const std::function<void(RenderContext&, Size)>& draw) {
  Rect client;
  if (!GetClientRect(hwnd, client) || client.Width() <= 0 || client.Height() <= 0) return false;
  const WindowSurface surface(hwnd);
  std::uint32_t* pixels = surface.Pixels();
  if (pixels == nullptr) return false;
  std::memset(pixels, 0, static_cast<std::size_t>(surface.Stride()) * static_cast<std::size_t>(surface.Height()));
  surface.MarkDirty();
  RenderContext context = RenderCairo::ForSurface(surface.Get());
  draw(context, Size{client.Width(), client.Height()});
  context.Flush();
  return true;
}

}  // namespace ZephUI

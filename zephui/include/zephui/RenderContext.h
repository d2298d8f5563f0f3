// The surface a control draws on: an image or a window's off-screen picture,
// with a clip and a translation that Save and Restore bracket.
#pragma once

#include <memory>

#include "zephui/Export.h"
#include "zephui/Rect.h"

namespace ZephUI {

class Image;

/// A drawing target with clip, translation and saved states; not shared between threads.
class ZEPHUI_API RenderContext {
 public:
  /// Draws into the active frame of `target`, which must outlive the context.
  explicit RenderContext(Image& target);
  /// Finishes drawing.
  ~RenderContext();
  /// Takes over another context.
  RenderContext(RenderContext&& other) noexcept;
  /// Takes over another context, finishing this one first.
  RenderContext& operator=(RenderContext&& other) noexcept;
  RenderContext(const RenderContext&) = delete;
  RenderContext& operator=(const RenderContext&) = delete;

  /// Width of the target surface in pixels.
  int Width() const;
  /// Height of the target surface in pixels.
  int Height() const;

  /// Pushes the clip and the translation.
  void Save();
  /// Pops what the matching Save pushed.
  void Restore();
  /// Narrows the clip to its intersection with `rect`.
  void ClipRect(const Rect& rect);
  /// The clip's bounding box in current coordinates.
  Rect ClipBounds() const;
  /// Moves the origin of later drawing by (dx, dy).
  void Translate(int dx, int dy);
  /// Completes pending drawing so that the target's pixels can be read.
  void Flush();

 private:
  friend class RenderCairo;
  struct State;

  explicit RenderContext(std::unique_ptr<State> state);

  std::unique_ptr<State> state_;
};

}  // namespace ZephUI

// A window of the headless backend: the core's decisions need no mirroring,
// so it only keeps what the window presented and the cursor it shows.
#pragma once

#include "backend/NativeWindow.h"

namespace ZephUI::Backend {

class HeadlessBackend;

/// Native side of a headless window.
class HeadlessWindow final : public NativeWindow {
 public:
  /// A window known to `backend` by `hwnd`.
  HeadlessWindow(HeadlessBackend& backend, HWND hwnd) : backend_(backend), hwnd_(hwnd) {}
  ~HeadlessWindow() override;
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  void SetRole(WindowRole) override {}
  void SetShowState(NativeShow) override {}
  void SetGeometry(const Rect&) override {}
  void Raise() override {}
  void StackBelow(HWND) override {}
  void SetInputAllowed(InputState) override {}
  void RequestFocus() override {}
  void SetTitle(std::u16string_view) override {}
  void SetStacking(Stacking) override {}
  void Present(const FrameSource& frame, const Rect& damage) override;
  void SetCursor(CursorType shape) override;
  void GrabPointer() override {}
  void UngrabPointer() override {}
  void ReleaseSpareImages() override {}
  bool BeginSystemMove(Point) override { return false; }
  void PublishProperty(std::u16string_view, std::intptr_t) override {}

 private:
  HeadlessBackend& backend_;
  const HWND hwnd_;
};

}  // namespace ZephUI::Backend

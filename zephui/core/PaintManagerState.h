// The data of one PaintManager. Each shared structure has its own lock: the
// area list, the control list, the references into the tree (hover, focus,
// caret owner, tooltip owner), the control timers, the animation list, the
// image cache, the fonts and the status message. No code holds two of them,
// except a tick, which holds the animation lock while controls take their
// own child-list locks.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/ControlDisposal.h"
#include "core/ControlTimerTable.h"
#include "core/FontTable.h"
#include "core/ImageCache.h"
#include "core/MToolTip.h"
#include "core/StatusOverlay.h"
#include "zephui/Color.h"
#include "zephui/Image.h"
#include "zephui/MControl.h"
#include "zephui/Manager.h"
#include "zephui/PaintManager.h"

namespace ZephUI {

/// Deletes an object of a type this file does not see (shadow, balloon).
template <typename T>
using OpaqueOwner = std::unique_ptr<T, void (*)(T*)>;

struct PaintManager::State {
  explicit State(MWindow* owner)
      : window(owner),
        windowThread(std::this_thread::get_id()),
        disposal(std::make_shared<ControlDisposal>(windowThread)),
        status(Manager::GetFontName()) {}

  // ---- window ----
  std::atomic<HWND> hwnd{nullptr};
  MWindow* window;
  std::thread::id windowThread;                 ///< set by Init; read by the host thread only afterwards
  std::atomic<bool> initialised{false};
  Rect caption;
  Point maxSize;
  Point minSize;
  std::atomic<bool> layered{false};
  std::atomic<bool> windowDrag{true};

  // ---- appearance (window thread) ----
  std::unique_ptr<Image> background;
  enumBackMode backMode = BACK_MODE_NORMAL;
  int frameSize = 4;
  GdiColor backColour = GdiColor::FromRgb(9, 13, 19);
  GdiColor borderColour = GdiColor::FromRgb(16, 168, 253);
  GdiColor disabledText = GdiColor::FromRgb(128, 128, 128);
  int scrollVertical = 0;
  int scrollHorizontal = 0;

  // ---- the tree ----
  mutable std::mutex areaLock;
  std::vector<std::unique_ptr<MControl>> areas;
  mutable std::mutex controlLock;
  std::vector<std::unique_ptr<MControl>> controls;
  std::vector<std::unique_ptr<MControl>> unlisted;  ///< built with a kind outside 0 and 1; under controlLock
  std::shared_ptr<ControlDisposal> disposal;

  // ---- references into the tree ----
  mutable std::mutex refLock;
  MControl* hover = nullptr;
  MControl* focus = nullptr;
  MControl* caretOwner = nullptr;
  std::uint32_t tooltipOwner = 0;
  std::atomic<bool> hideTooltipPending{false};
  std::atomic<bool> releaseCapturePending{false};

  // ---- input state (window thread) ----
  bool tracking = false;
  bool captured = false;
  bool pressed = false;
  bool leftDoubleClick = false;
  bool rightDoubleClick = false;
  bool dragArmed = false;
  Point dragPoint;
  std::unique_ptr<Image> dropBitmap;

  // ---- timers ----
  ControlTimerTable timers;
  std::atomic<std::uint32_t> animationId{0};
  std::recursive_mutex animationLock;            ///< a removal from inside a tick takes it again
  std::vector<MControl*> animated;
  std::uint32_t animationPeriodMs = 0;
  std::uint32_t idleTicks = 0;                   ///< timer thread: ticks in a row that moved nothing

  // ---- overlays ----
  StatusOverlay status;
  std::unique_ptr<MToolTip> tooltip;            ///< window thread
  Rect caretRect;                                ///< window thread
  bool caretShown = false;
  bool caretPhase = false;

  // ---- caches ----
  ImageCache images;
  FontTable fonts;

  // ---- paint pacing (window thread) ----
  std::uint64_t lastPaint = 0;
  bool paintedOnce = false;
  Rect heldPaint;
  Size composedSize;  ///< surface size of the last composition; another size means a new, empty surface

  // ---- shadow and balloon (made by the shadow file) ----
  OpaqueOwner<MShadow> shadow{nullptr, nullptr};
  OpaqueOwner<MAirBladder> balloon{nullptr, nullptr};
  std::uint32_t balloonOwner = 0;
  bool shadowDisabled = false;

  /// The reference, read under its lock.
  MControl* Get(MControl* State::*member) const {
    std::lock_guard lock(refLock);
    return this->*member;
  }
};

}  // namespace ZephUI

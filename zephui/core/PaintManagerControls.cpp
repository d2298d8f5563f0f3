// The top-level control lists, focus, repaint requests and the lifetime rule:
// removed controls are forgotten at once and destroyed when nothing can
// still be using them.
#include <algorithm>
#include <utility>

#include "core/ManagerMessages.h"
#include "core/PaintManagerState.h"
#include "core/RectOps.h"
#include "zephui/ControlFactory.h"
#include "zephui/MControl.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

void CollectSubtree(MControl* root, std::vector<MControl*>& out) {
  out.push_back(root);
  for (MControl* child : root->GetControls()) CollectSubtree(child, out);
  for (MControl* child : root->GetAreas()) CollectSubtree(child, out);
}

bool Holds(const std::vector<MControl*>& list, const MControl* control) {
  return control != nullptr && std::find(list.begin(), list.end(), control) != list.end();
}

bool Focusable(const MControl* control) { return control->IsVisible() && control->IsEnabled() && control->IsTabStop(); }

// The first focusable control after the focus control in [first, last), wrapping once.
template <typename It>
MControl* NextFocusable(It first, It last, MControl* focus) {
  It at = std::find(first, last, focus);
  if (focus != nullptr && at == last) return nullptr;
  if (focus != nullptr) {
    It found = std::find_if(std::next(at), last, Focusable);
    if (found != last) return *found;
  }
  It found = std::find_if(first, last, Focusable);
  return found != last ? *found : nullptr;
}

MControl* FindIn(const std::vector<MControl*>& list, std::uint32_t id) {
  for (MControl* control : list) {
    if (control->GetControlID() == id) return control;
    if (MControl* inner = control->GetControl(id)) return inner;
  }
  return nullptr;
}

}  // namespace

MControl* PaintManager::CreateArea(MObject* parent, std::u16string_view className, std::uint32_t id, const Rect& rect,
                                   std::u16string_view text, bool visible, bool enabled) {
  return CreateControl(0, parent, className, id, rect, text, visible, enabled);
}

MControl* PaintManager::CreateControl(MObject* parent, std::u16string_view className, std::uint32_t id,
                                      const Rect& rect, std::u16string_view text, bool visible, bool enabled) {
  return CreateControl(1, parent, className, id, rect, text, visible, enabled);
}

MControl* PaintManager::CreateControl(int kind, MObject* parent, std::u16string_view className, std::uint32_t id,
                                      const Rect& rect, std::u16string_view text, bool visible, bool enabled) {
  const ControlArgs args{parent, id, rect, std::u16string(text), visible, enabled};
  std::unique_ptr<MControl> control = ControlFactory::Create(FactoryKind::Dialog, className, args);
  return control ? AddControl(std::move(control), kind) : nullptr;
}

MControl* PaintManager::AddControl(std::unique_ptr<MControl> control, int kind) {
  if (!control) return nullptr;
  MControl* raw = control.get();
  raw->SetManager(this);
  if (kind == 0) {
    std::lock_guard lock(state_->areaLock);
    state_->areas.push_back(std::move(control));
  } else {
    std::lock_guard lock(state_->controlLock);
    (kind == 1 ? state_->controls : state_->unlisted).push_back(std::move(control));
  }
  return raw;
}

MControl* PaintManager::GetControl(std::uint32_t id) const {
  if (MControl* found = FindIn(GetControls(), id)) return found;
  return FindIn(GetAreas(), id);
}

std::vector<MControl*> PaintManager::GetControls() const {
  std::lock_guard lock(state_->controlLock);
  std::vector<MControl*> snapshot;
  snapshot.reserve(state_->controls.size());
  for (const auto& control : state_->controls) snapshot.push_back(control.get());
  return snapshot;
}

std::vector<MControl*> PaintManager::GetAreas() const {
  std::lock_guard lock(state_->areaLock);
  std::vector<MControl*> snapshot;
  snapshot.reserve(state_->areas.size());
  for (const auto& area : state_->areas) snapshot.push_back(area.get());
  return snapshot;
}

std::unique_ptr<MControl> PaintManager::UnlinkTopLevel(MControl* control) {
  const auto take = [control](std::vector<std::unique_ptr<MControl>>& list) -> std::unique_ptr<MControl> {
    const auto it = std::find_if(list.begin(), list.end(), [control](const auto& c) { return c.get() == control; });
    if (it == list.end()) return nullptr;
    std::unique_ptr<MControl> owned = std::move(*it);
    list.erase(it);
    return owned;
  };
  {
    std::lock_guard lock(state_->controlLock);
    if (auto owned = take(state_->controls)) return owned;
    if (auto owned = take(state_->unlisted)) return owned;
  }
  std::lock_guard lock(state_->areaLock);
  return take(state_->areas);
}

void PaintManager::RemoveControl(MControl* control) {
  if (control == nullptr) return;
  std::unique_ptr<MControl> owned = UnlinkTopLevel(control);
  if (!owned) return;
  const bool shown = owned->IsVisible();
  const Rect where = owned->GetRect();
  DisposeControl(std::move(owned));
  if (shown) InvalidateRect(where, EraseMode::Keep);
}

void PaintManager::ClearList(int kind) {
  std::vector<std::unique_ptr<MControl>> taken;
  if (kind == 0) {
    std::lock_guard lock(state_->areaLock);
    taken.swap(state_->areas);
  } else {
    std::lock_guard lock(state_->controlLock);
    taken.swap(kind == 1 ? state_->controls : state_->unlisted);
  }
  Rect shown;  // where they were drawn
  for (const auto& control : taken) {
    if (control->IsVisible()) shown = RectOps::Union(shown, control->GetRect());
  }
  for (auto& control : taken) DisposeControl(std::move(control));
  if (!RectOps::Empty(shown)) InvalidateRect(shown, EraseMode::Keep);
}

void PaintManager::ClearAreaControls() { ClearList(0); }

void PaintManager::ClearControls() { ClearList(1); }

void PaintManager::ClearAllControls() {
  ClearList(0);
  ClearList(1);
}

void PaintManager::SetFocusControl(MControl* control) {
  MControl* old = nullptr;
  {
    std::lock_guard lock(state_->refLock);
    if (state_->focus == control || (control != nullptr && control->detached_)) return;
    old = state_->focus;
    state_->focus = control;
  }
  if (old != nullptr) old->SetControlFocus(FocusChange::Take);
  if (control != nullptr) control->SetControlFocus(FocusChange::Give);
}

MControl* PaintManager::GetFocusControl() const { return state_->Get(&State::focus); }

MControl* PaintManager::GetHoverControl() const { return state_->Get(&State::hover); }

MControl* PaintManager::GetNextFocusableControl() const {
  const std::vector<MControl*> list = GetControls();
  return NextFocusable(list.begin(), list.end(), GetFocusControl());
}

MControl* PaintManager::GetPrevFocusableControl() const {
  const std::vector<MControl*> list = GetControls();
  return NextFocusable(list.rbegin(), list.rend(), GetFocusControl());
}

LRESULT PaintManager::OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) {
  if (control == nullptr) return 0;
  WakeMTimer();  // a control that changed may have started to animate
  if (reset == CacheReset::Reset) control->SetUpdate(false, state_->backColour);
  Rect dirty = rect;
  if (state_->initialised) {
    bool met = false;
    for (const auto& list : {GetAreas(), GetControls()}) {
      for (MControl* entry : list) {
        if (entry == control) {
          met = true;
        } else if (met && entry->IsVisible() && RectOps::Meet(entry->GetRect(), rect)) {
          // Later entries are drawn over the changed area, so they re-render too.
          entry->SetUpdate(false, state_->backColour);
          dirty = RectOps::Union(dirty, entry->GetRect());
        }
      }
    }
  }
  InvalidateRect(dirty, EraseMode::Keep);
  return 0;
}

void PaintManager::ForgetControl(MControl* control) {
  if (control == nullptr) return;
  std::vector<MControl*> subtree;
  CollectSubtree(control, subtree);
  bool hideTip = false;
  bool lostHover = false;
  bool lostCaret = false;
  {
    std::lock_guard lock(state_->refLock);
    for (MControl* member : subtree) {
      member->detached_ = true;
      hideTip = hideTip || (state_->tooltipOwner != 0 && member->GetControlID() == state_->tooltipOwner);
    }
    if (hideTip) state_->tooltipOwner = 0;
    lostHover = Holds(subtree, state_->hover);
    if (lostHover) state_->hover = nullptr;
    if (Holds(subtree, state_->focus)) state_->focus = nullptr;
    lostCaret = Holds(subtree, state_->caretOwner);
    if (lostCaret) state_->caretOwner = nullptr;
  }
  for (MObject* up = control->GetParantObject(); auto* ancestor = dynamic_cast<MControl*>(up);
       up = ancestor->GetParantObject()) {
    ancestor->ClearHoverChildIf(control);
  }
  for (MControl* member : subtree) KillTimer(member);
  {
    std::lock_guard lock(state_->animationLock);
    std::erase_if(state_->animated, [&subtree](MControl* c) { return Holds(subtree, c); });
  }
  if (lostCaret) {
    ::ZephUI::KillTimer(state_->hwnd, TIMER_CARET);
    ::ZephUI::InvalidateRect(state_->hwnd, nullptr);
  }
  if (!hideTip && !lostHover) return;
  if (!OnWindowThread()) {
    // Window calls from here could wait for the window's thread, which may be waiting for us.
    if (hideTip) state_->hideTooltipPending = true;
    if (lostHover) state_->releaseCapturePending = true;
    PostMessage(state_->hwnd, kManagerWakeMessage, 0, 0);
    return;
  }
  if (hideTip && state_->tooltip) state_->tooltip->Hide();
  if (lostHover && state_->pressed) {
    state_->pressed = false;
    ReleaseCapture();
  }
}

std::vector<std::unique_ptr<MControl>> PaintManager::TakeUnlistedUnder(MControl* control) {
  std::vector<MControl*> subtree;
  CollectSubtree(control, subtree);
  std::vector<std::unique_ptr<MControl>> taken;
  std::lock_guard lock(state_->controlLock);
  auto& list = state_->unlisted;
  for (auto it = list.begin(); it != list.end();) {
    // Pointer comparison only: the parent is still alive here, but nothing else may be assumed.
    const MObject* parent = (*it)->GetParantObject();
    const bool under = std::any_of(subtree.begin(), subtree.end(),
                                   [parent](const MControl* member) { return member == parent; });
    if (under && it->get() != control) {
      taken.push_back(std::move(*it));
      it = list.erase(it);
    } else {
      ++it;
    }
  }
  return taken;
}

void PaintManager::DisposeControl(std::unique_ptr<MControl> control) {
  if (!control) return;
  // An unlisted control may name a control of this subtree as its parent; it
  // goes first, while the parent it walks through on the way out still exists.
  for (auto& dependent : TakeUnlistedUnder(control.get())) DisposeControl(std::move(dependent));
  if (!control->detached_) ForgetControl(control.get());
  state_->disposal->Dispose(std::move(control));
}

}  // namespace ZephUI

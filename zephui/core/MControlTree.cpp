// MControl's child lists: snapshots, search, insertion, removal and the
// hover child, each list under its own lock held only while it is touched.
#include <algorithm>
#include <utility>

#include "zephui/MControl.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

std::vector<MControl*> Snapshot(std::mutex& lock, const std::vector<std::unique_ptr<MControl>>& list) {
  std::lock_guard guard(lock);
  std::vector<MControl*> snapshot;
  snapshot.reserve(list.size());
  for (const auto& child : list) snapshot.push_back(child.get());
  return snapshot;
}

MControl* FindIn(const std::vector<MControl*>& list, std::uint32_t id) {
  for (MControl* child : list) {
    if (child->GetControlID() == id) return child;
    if (MControl* inner = child->GetControl(id)) return inner;
  }
  return nullptr;
}

bool Focusable(const MControl* control) { return control->IsVisible() && control->IsEnabled() && control->IsTabStop(); }

template <typename It>
MControl* NextFocusable(It first, It last) {
  It focused = std::find_if(first, last, [](const MControl* c) { return c->IsFocused(); });
  if (focused != last) {
    It next = std::find_if(std::next(focused), last, Focusable);
    if (next != last) return *next;
  }
  It found = std::find_if(first, last, Focusable);
  return found != last ? *found : nullptr;
}

}  // namespace

// Most controls have no children: they skip the lock.
std::vector<MControl*> MControl::GetControls() const {
  return controlCount_ == 0 ? std::vector<MControl*>{} : Snapshot(controlLock_, controls_);
}

std::vector<MControl*> MControl::GetAreas() const {
  return areaCount_ == 0 ? std::vector<MControl*>{} : Snapshot(areaLock_, areas_);
}

MControl* MControl::GetControl(std::uint32_t id) const {
  if (MControl* found = FindIn(GetControls(), id)) return found;
  return FindIn(GetAreas(), id);
}

MControl* MControl::AddChild(std::unique_ptr<MControl> child, int kind) {
  if (!child) return nullptr;
  MControl* raw = child.get();
  if (raw->manager_ == nullptr && manager_ != nullptr) raw->SetManager(manager_);
  if (kind == 0) {
    std::lock_guard lock(areaLock_);
    areas_.push_back(std::move(child));
    areaCount_ = areas_.size();
  } else {
    std::lock_guard lock(controlLock_);
    controls_.push_back(std::move(child));
    controlCount_ = controls_.size();
  }
  // A child added under a control that is already out of the tree goes with it.
  if (detached_ && raw->manager_ != nullptr) raw->manager_->ForgetControl(raw);
  return raw;
}

std::unique_ptr<MControl> MControl::Unlink(MControl* child, int kind) {
  std::mutex& lock = kind == 0 ? areaLock_ : controlLock_;
  auto& list = kind == 0 ? areas_ : controls_;
  std::lock_guard guard(lock);
  const auto it = std::find_if(list.begin(), list.end(), [child](const auto& c) { return c.get() == child; });
  if (it == list.end()) return nullptr;
  std::unique_ptr<MControl> owned = std::move(*it);
  list.erase(it);
  (kind == 0 ? areaCount_ : controlCount_) = list.size();
  if (kind != 0 && hoverChild_ == child) hoverChild_ = nullptr;
  return owned;
}

void MControl::Discard(std::unique_ptr<MControl> child) {
  PaintManager* manager = child->manager_ != nullptr ? child->manager_ : manager_;
  if (manager == nullptr) return;  // `child` dies here: nothing else knows it
  manager->DisposeControl(std::move(child));
}

int MControl::RemoveControl(MControl* child) {
  if (child == nullptr) return 0;
  std::unique_ptr<MControl> owned = Unlink(child, 1);
  if (!owned) return 0;
  if (owned->IsFocused()) owned->OnFocus(FocusChange::Take);
  const bool shown = owned->IsVisible();
  Discard(std::move(owned));
  if (shown) UpdateControl(CacheReset::Reset);  // where it was drawn
  return 0;
}

void MControl::RemoveAllControl() {
  std::vector<std::unique_ptr<MControl>> controls;
  std::vector<std::unique_ptr<MControl>> areas;
  {
    std::lock_guard lock(controlLock_);
    controls.swap(controls_);
    controlCount_ = 0;
    hoverChild_ = nullptr;
  }
  {
    std::lock_guard lock(areaLock_);
    areas.swap(areas_);
    areaCount_ = 0;
  }
  for (auto& child : controls) Discard(std::move(child));
  for (auto& child : areas) Discard(std::move(child));
}

MControl* MControl::GetFocusControl() const {
  for (MControl* child : GetControls()) {
    if (child->IsFocused()) return child;
  }
  return nullptr;
}

MControl* MControl::GetNextFocusableControl() const {
  const std::vector<MControl*> list = GetControls();
  return NextFocusable(list.begin(), list.end());
}

MControl* MControl::GetPrevFocusableControl() const {
  const std::vector<MControl*> list = GetControls();
  return NextFocusable(list.rbegin(), list.rend());
}

MControl* MControl::GetHoverChild() const { return hoverChild_; }

void MControl::SetHoverChild(MControl* child) {
  std::lock_guard lock(controlLock_);
  const bool present =
      child == nullptr ||
      std::any_of(controls_.begin(), controls_.end(), [child](const auto& c) { return c.get() == child; });
  if (present) hoverChild_ = child;
}

void MControl::ClearHoverChildIf(const MControl* child) {
  std::lock_guard lock(controlLock_);
  if (hoverChild_ == child) hoverChild_ = nullptr;
}

void MControl::ForgetReferencesTo(const MControl* control) {
  ClearHoverChildIf(control);
  for (MControl* child : GetControls()) child->ForgetReferencesTo(control);
  for (MControl* child : GetAreas()) child->ForgetReferencesTo(control);
}

}  // namespace ZephUI

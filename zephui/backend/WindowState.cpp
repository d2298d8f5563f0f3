#include "backend/WindowState.h"

#include <algorithm>

#include "backend/RoundRegion.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

std::uint64_t Key(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

bool IsTopmost(const WindowRecord& record) { return (record.exStyle & WS_EX_TOPMOST) != 0; }

}  // namespace

WindowRecord* WindowState::Find(HWND hwnd) const {
  const auto it = windows.find(Key(hwnd));
  return it == windows.end() ? nullptr : it->second.get();
}

WindowRecord* WindowState::FindLocal(HWND hwnd) const {
  WindowRecord* record = Find(hwnd);
  return record != nullptr && record->foreignId == 0 ? record : nullptr;
}

HWND WindowState::NewHandle() {
  const std::uint64_t value = nextHandle;
  nextHandle += 0x10;
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

HWND WindowState::TopLevelOf(HWND hwnd) const {
  const WindowRecord* record = Find(hwnd);
  while (record != nullptr && record->IsChild()) {
    hwnd = record->parent;
    record = Find(hwnd);
  }
  return record != nullptr ? hwnd : nullptr;
}

bool WindowState::IsSelfOrDescendant(HWND ancestor, HWND hwnd) const {
  for (const WindowRecord* record = Find(hwnd); record != nullptr; record = Find(record->parent)) {
    if (record->hwnd == ancestor) return true;
    if (!record->IsChild()) return false;
  }
  return false;
}

bool WindowState::EnabledDeep(HWND hwnd) const {
  const WindowRecord* record = Find(hwnd);
  for (; record != nullptr; record = record->IsChild() ? Find(record->parent) : nullptr) {
    if (!record->Enabled()) return false;
  }
  return Find(hwnd) != nullptr;
}

bool WindowState::VisibleDeep(HWND hwnd) const {
  const WindowRecord* record = Find(hwnd);
  for (; record != nullptr; record = record->IsChild() ? Find(record->parent) : nullptr) {
    if (!record->Visible()) return false;
  }
  return Find(hwnd) != nullptr;
}

Point WindowState::ClientOrigin(HWND hwnd) const {
  Point origin;
  for (const WindowRecord* record = Find(hwnd); record != nullptr;
       record = record->IsChild() ? Find(record->parent) : nullptr) {
    origin.x += record->rect.left;
    origin.y += record->rect.top;
  }
  return origin;
}

Rect WindowState::ScreenRect(HWND hwnd) const {
  const WindowRecord* record = Find(hwnd);
  if (record == nullptr) return {};
  const Point origin = ClientOrigin(hwnd);
  return Rect{origin.x, origin.y, origin.x + record->rect.Width(), origin.y + record->rect.Height()};
}

bool WindowState::Activatable(HWND hwnd) const {
  const WindowRecord* record = FindLocal(hwnd);
  return record != nullptr && !record->IsChild() && !record->destroying && record->Visible() &&
         record->Enabled() && !record->Minimized() && (record->exStyle & WS_EX_NOACTIVATE) == 0;
}

std::vector<HWND> WindowState::ChildrenOf(HWND hwnd) const {
  std::vector<HWND> children;
  for (const auto& [key, record] : windows) {
    if (record->IsChild() && record->parent == hwnd) children.push_back(record->hwnd);
  }
  return children;
}

std::vector<HWND> WindowState::OwnedBy(HWND hwnd) const {
  std::vector<HWND> owned;
  for (HWND candidate : zOrder) {
    const WindowRecord* record = Find(candidate);
    if (record != nullptr && record->owner == hwnd) owned.push_back(candidate);
  }
  return owned;
}

void WindowState::InsertInBand(HWND hwnd) {
  const WindowRecord* record = Find(hwnd);
  auto position = zOrder.begin();
  if (record != nullptr && !IsTopmost(*record)) {
    position = std::find_if(zOrder.begin(), zOrder.end(), [this](HWND other) {
      const WindowRecord* r = Find(other);
      return r == nullptr || !IsTopmost(*r);
    });
  }
  zOrder.insert(position, hwnd);
}

std::vector<HWND> WindowState::Raise(HWND hwnd) {
  std::erase(zOrder, hwnd);
  InsertInBand(hwnd);
  std::vector<HWND> raised{hwnd};
  std::vector<HWND> owned = OwnedBy(hwnd);
  // Raising each back-first keeps their order among themselves.
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    const std::vector<HWND> more = Raise(*it);
    raised.insert(raised.end(), more.begin(), more.end());
  }
  return raised;
}

void WindowState::Lower(HWND hwnd) {
  std::erase(zOrder, hwnd);
  const WindowRecord* record = Find(hwnd);
  auto position = zOrder.end();
  if (record != nullptr && IsTopmost(*record)) {
    position = std::find_if(zOrder.begin(), zOrder.end(), [this](HWND other) {
      const WindowRecord* r = Find(other);
      return r == nullptr || !IsTopmost(*r);
    });
  }
  zOrder.insert(position, hwnd);
}

void WindowState::PlaceBehind(HWND hwnd, HWND sibling) {
  if (hwnd == sibling) return;
  std::erase(zOrder, hwnd);
  const auto it = std::find(zOrder.begin(), zOrder.end(), sibling);
  if (it == zOrder.end()) {
    InsertInBand(hwnd);
    return;
  }
  zOrder.insert(it + 1, hwnd);
}

HWND WindowState::ChildAt(HWND parent, Point screen) const {
  const std::vector<HWND> children = ChildrenOf(parent);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {  // later children lie on top
    const WindowRecord* record = Find(*it);
    if (!record->Visible() || (record->exStyle & WS_EX_TRANSPARENT) != 0) continue;
    if (ScreenRect(*it).Contains(screen.x, screen.y)) return ChildAt(*it, screen);
  }
  return parent;
}

bool WindowState::InsideRegion(const WindowRecord& record, const Rect& screenRect, Point screen) {
  if (!screenRect.Contains(screen.x, screen.y)) return false;
  if (record.regionDiameter <= 0) return true;
  const RoundRegion region(screenRect.Width(), screenRect.Height(), record.regionDiameter);
  return region.Contains(Point{screen.x - screenRect.left, screen.y - screenRect.top});
}

HWND WindowState::HitTest(Point screen) const {
  for (HWND hwnd : zOrder) {
    const WindowRecord* record = FindLocal(hwnd);
    if (record == nullptr || !record->Visible() || record->Minimized()) continue;
    if ((record->exStyle & WS_EX_TRANSPARENT) != 0) continue;
    if (InsideRegion(*record, ScreenRect(hwnd), screen)) return ChildAt(hwnd, screen);
  }
  return nullptr;
}

HWND WindowState::NextToActivate(HWND leaving) const {
  const WindowRecord* record = Find(leaving);
  if (record != nullptr && record->owner != nullptr && Activatable(record->owner)) return record->owner;
  for (HWND candidate : zOrder) {
    if (candidate == leaving || !Activatable(candidate)) continue;
    bool ownedByLeaving = false;
    for (const WindowRecord* r = Find(candidate); r != nullptr && !ownedByLeaving; r = Find(r->owner)) {
      ownedByLeaving = r->owner == leaving;
    }
    if (!ownedByLeaving) return candidate;
  }
  return nullptr;
}

HWND WindowState::EnabledPopupOf(HWND hwnd) const {
  for (HWND candidate : zOrder) {
    if (candidate == hwnd || !Activatable(candidate)) continue;
    for (const WindowRecord* r = Find(candidate); r != nullptr; r = Find(r->owner)) {
      if (r->owner == hwnd) return candidate;
    }
  }
  return nullptr;
}

}  // namespace ZephUI::Backend

#include "core/ControlTimerTable.h"

#include <algorithm>

namespace ZephUI {
namespace {

// Control timer ids cycle through 0 ... 239.
constexpr std::uintptr_t kIdCycle = 240;

}  // namespace

ControlTimerTable::Found ControlTimerTable::Find(HWND hwnd, const MControl* control, std::uint32_t key,
                                                 std::uintptr_t& windowId) const {
  std::lock_guard lock(lock_);
  for (const Record& r : records_) {
    if (r.hwnd == hwnd && r.control == control && r.key == key) {
      windowId = r.windowId;
      return r.killed ? Found::Killed : Found::Running;
    }
  }
  return Found::None;
}

bool ControlTimerTable::InUse(std::uintptr_t id) const {
  return std::any_of(records_.begin(), records_.end(), [id](const Record& r) { return r.windowId == id; });
}

std::uintptr_t ControlTimerTable::NextId(const std::vector<std::uintptr_t>& reserved) {
  std::lock_guard lock(lock_);
  // Two records on one window timer would stop each other; a reserved id would reach the overlays.
  std::uintptr_t candidate = lastId_;
  for (std::uintptr_t tries = 0; tries < kIdCycle; ++tries) {
    candidate = (candidate + 1) % kIdCycle;
    const bool isReserved = std::find(reserved.begin(), reserved.end(), candidate) != reserved.end();
    if (!isReserved && !InUse(candidate)) break;
  }
  lastId_ = candidate;
  return candidate;
}

void ControlTimerTable::Add(const Record& record) {
  std::lock_guard lock(lock_);
  records_.push_back(record);
}

bool ControlTimerTable::SetKilled(HWND hwnd, const MControl* control, std::uint32_t key, bool killed) {
  std::lock_guard lock(lock_);
  for (Record& r : records_) {
    if (r.hwnd == hwnd && r.control == control && r.key == key) {
      r.killed = killed;
      return true;
    }
  }
  return false;
}

std::vector<ControlTimerTable::Record> ControlTimerTable::Remove(const MControl* control) {
  std::lock_guard lock(lock_);
  std::vector<Record> removed;
  std::erase_if(records_, [&](const Record& r) {
    if (control != nullptr && r.control != control) return false;
    removed.push_back(r);
    return true;
  });
  return removed;
}

std::vector<MControl*> ControlTimerTable::Running(HWND hwnd, std::uintptr_t windowId) const {
  std::lock_guard lock(lock_);
  std::vector<MControl*> controls;
  for (const Record& r : records_) {
    if (r.hwnd == hwnd && r.windowId == windowId && !r.killed) controls.push_back(r.control);
  }
  return controls;
}

}  // namespace ZephUI

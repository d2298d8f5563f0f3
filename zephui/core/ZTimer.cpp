#include "zephui/ZTimer.h"

#include <algorithm>
#include <map>
#include <utility>

#include "zephui/PeriodicTimer.h"

namespace ZephUI {
namespace {

// Which live ZTimer owns which timer id, for GetFSTimer.
struct Owners {
  std::mutex lock;
  std::map<std::uint32_t, ZTimer*> byId;
};

Owners& TimerOwners() {
  static Owners owners;
  return owners;
}

void SetOwner(std::uint32_t id, ZTimer* owner) {
  Owners& owners = TimerOwners();
  std::lock_guard lock(owners.lock);
  if (owner != nullptr) {
    owners.byId[id] = owner;
  } else {
    owners.byId.erase(id);
  }
}

}  // namespace

ZTimer::ZTimer() = default;

ZTimer::~ZTimer() { KillMTimer(); }

std::uint32_t ZTimer::SetMTimer(std::uint32_t periodMs) { return Start(periodMs, u"", false); }

std::uint32_t ZTimer::SetAppTimer(std::uint32_t periodMs, std::u16string name) {
  return Start(periodMs, std::move(name), true);
}

std::uint32_t ZTimer::Start(std::uint32_t periodMs, std::u16string name, bool appTimer) {
  // The entry exists before the first tick can look for it.
  std::lock_guard lock(lock_);
  const std::uint32_t id = StartPeriodicTimer(std::max<std::uint32_t>(periodMs, 1), [this](std::uint32_t tick) { Tick(tick); });
  if (id == 0) return 0;
  entries_.push_back(Entry{id, std::move(name), appTimer});
  SetOwner(id, this);
  return id;
}

int ZTimer::KillMTimer(std::uint32_t id) {
  bool found = false;
  int left = 0;
  {
    std::lock_guard lock(lock_);
    found = std::erase_if(entries_, [id](const Entry& e) { return e.id == id; }) > 0;
    left = static_cast<int>(entries_.size());
  }
  if (found) {
    SetOwner(id, nullptr);
    StopPeriodicTimer(id);  // outside the lock: a running tick may need it
  }
  return left;
}

void ZTimer::KillMTimer() {
  std::vector<Entry> stopped;
  {
    std::lock_guard lock(lock_);
    stopped.swap(entries_);
  }
  for (const Entry& entry : stopped) {
    SetOwner(entry.id, nullptr);
    StopPeriodicTimer(entry.id);
  }
}

bool ZTimer::GetTimerIsRun(std::uint32_t id) const {
  std::lock_guard lock(lock_);
  return std::any_of(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
}

bool ZTimer::GetTimerIsRun(std::u16string_view name) const {
  std::lock_guard lock(lock_);
  return std::any_of(entries_.begin(), entries_.end(), [name](const Entry& e) { return e.name == name; });
}

std::u16string ZTimer::GetTimerName(std::uint32_t id) const {
  std::lock_guard lock(lock_);
  const auto it = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
  return it != entries_.end() ? it->name : std::u16string{};
}

bool ZTimer::IsAppTimer(std::uint32_t id) const {
  std::lock_guard lock(lock_);
  const auto it = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
  return it != entries_.end() && it->appTimer;
}

ZTimer* ZTimer::GetFSTimer(std::uint32_t id) {
  Owners& owners = TimerOwners();
  std::lock_guard lock(owners.lock);
  const auto it = owners.byId.find(id);
  return it != owners.byId.end() ? it->second : nullptr;
}

void ZTimer::OnMTimer(std::uint32_t) {}

void ZTimer::OnMTimer(std::uint32_t, std::u16string_view) {}

void ZTimer::Tick(std::uint32_t id) {
  std::u16string name;
  bool appTimer = false;
  {
    std::lock_guard lock(lock_);
    const auto it = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (it == entries_.end()) return;  // stopped meanwhile
    name = it->name;
    appTimer = it->appTimer;
  }
  OnMTimer(id);
  if (appTimer) OnMTimer(id, name);
}

}  // namespace ZephUI

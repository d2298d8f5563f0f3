#include "backend/headless/HeadlessTray.h"

#include <algorithm>
#include <optional>

#include "zephui/Message.h"

namespace ZephUI::Backend {

HeadlessTray& HeadlessTray::Get() {
  static HeadlessTray tray;
  return tray;
}

void HeadlessTray::Add(const void* key, HWND owner, UINT id, UINT callbackMessage) {
  std::lock_guard lock(mutex_);
  std::erase_if(icons_, [key](const Entry& e) { return e.key == key; });
  icons_.push_back(Entry{key, owner, id, callbackMessage});
}

void HeadlessTray::Remove(const void* key) {
  std::lock_guard lock(mutex_);
  std::erase_if(icons_, [key](const Entry& e) { return e.key == key; });
}

bool HeadlessTray::Click(HWND owner, UINT mouseMessage) {
  std::optional<Entry> found;
  {
    std::lock_guard lock(mutex_);
    const auto it = std::find_if(icons_.rbegin(), icons_.rend(), [owner](const Entry& e) { return e.owner == owner; });
    if (it != icons_.rend()) found = *it;
  }
  // Posted outside the lock: PostMessage takes the window system's own.
  return found && PostMessage(found->owner, found->callbackMessage, found->id, mouseMessage);
}

}  // namespace ZephUI::Backend

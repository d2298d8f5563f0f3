#include "macros/recorder/KeyboardHookManager.h"

#include <algorithm>

KeyboardHookManager::KeyboardHookManager(KeyboardHook& hook) : hook_(hook) {}

KeyboardHookManager::~KeyboardHookManager() {
  uninstall();
}

void KeyboardHookManager::subscribe(Subscriber& subscriber) {
  uninstall();
  installHook();
  std::lock_guard lock(mutex_);
  const bool known = std::ranges::any_of(entries_, [&](const Entry& e) { return e.subscriber == &subscriber; });
  if (!known) entries_.push_back({&subscriber, SubscriberState::Enabled, kHookMessage});
}

void KeyboardHookManager::setState(Subscriber& subscriber, SubscriberState state) {
  std::lock_guard lock(mutex_);
  for (Entry& entry : entries_) {
    if (entry.subscriber == &subscriber) entry.state = state;
  }
}

bool KeyboardHookManager::install() {
  if (installed()) return true;
  return installHook();
}

bool KeyboardHookManager::installHook() {
  const bool ok = hook_.install([this](KeyMessage keyMessage, const HookKeyRecord& record) {
    return deliver(keyMessage, record);
  });
  std::lock_guard lock(mutex_);
  // A hook that found no keyboard still counts as installed: recording runs, no events arrive.
  installed_ = true;
  return ok;
}

void KeyboardHookManager::uninstall() {
  {
    std::lock_guard lock(mutex_);
    if (!installed_) return;
    installed_ = false;
  }
  hook_.uninstall();
}

void KeyboardHookManager::clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

bool KeyboardHookManager::installed() {
  std::lock_guard lock(mutex_);
  return installed_;
}

bool KeyboardHookManager::deliver(KeyMessage keyMessage, const HookKeyRecord& record) {
  std::vector<Entry> entries;
  {
    std::lock_guard lock(mutex_);
    entries = entries_;
  }
  // Offered on a copy without the lock, so subscribers can change meanwhile;
  // the hook's uninstall waits for this offer before anyone goes away.
  for (const Entry& entry : entries) {
    if (entry.state != SubscriberState::Enabled) continue;
    if (entry.subscriber->onHookMessage(entry.message, keyMessage, record) != 0) return true;
  }
  return false;
}

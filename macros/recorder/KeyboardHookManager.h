// The subscribers of the keyboard hook while a macro is being recorded. The
// hook offers each key event to the enabled subscribers in subscription
// order as message 1654; the first non-zero answer consumes the event.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "macros/recorder/KeyboardHook.h"

/// Whether a subscriber is offered hook messages.
enum class SubscriberState {
  Enabled,   ///< offered every event
  Disabled,  ///< skipped
};

class KeyboardHookManager {
 public:
  static constexpr std::uint32_t kHookMessage = 1654;  ///< the hook's message number (0x676)

  /// A receiver of hook messages (the main window in the product).
  class Subscriber {
   public:
    virtual ~Subscriber() = default;
    /// One hook message: message number, keyboard message, key record; non-zero consumes the key.
    virtual long onHookMessage(std::uint32_t message, KeyMessage keyMessage, const HookKeyRecord& record) = 0;
  };

  /// A manager of `hook` (which must outlive it).
  explicit KeyboardHookManager(KeyboardHook& hook);
  /// Uninstalls the hook.
  ~KeyboardHookManager();
  KeyboardHookManager(const KeyboardHookManager&) = delete;
  KeyboardHookManager& operator=(const KeyboardHookManager&) = delete;

  /// (Re)installs the hook and adds the subscriber (enabled, message 1654) unless it is already there.
  void subscribe(Subscriber& subscriber);
  /// Enables or disables a subscriber.
  void setState(Subscriber& subscriber, SubscriberState state);
  /// Installs the hook unless installed; false when the hook could not be installed.
  bool install();
  /// Removes the hook.
  void uninstall();
  /// Drops every subscriber.
  void clear();
  /// Whether the hook is installed.
  bool installed();

  /// The hook procedure: offers one key event to the subscribers; true when one consumed it.
  bool deliver(KeyMessage keyMessage, const HookKeyRecord& record);

 private:
  struct Entry {
    Subscriber* subscriber;
    SubscriberState state;
    std::uint32_t message;
  };

  bool installHook();

  KeyboardHook& hook_;
  std::mutex mutex_;  // guards entries_ and installed_; never held while a subscriber runs
  std::vector<Entry> entries_;
  bool installed_ = false;
};

// The keyboard hook on evdev: grabs every keyboard (once no key is held on
// it) and turns its key events into hook records. While installed, keys
// reach nobody but the hook: there is no pass-through, whether or not the
// handler consumes them. Releases read before a keyboard's grab, which the
// system sees as well, are still reported, so a key held when recording
// starts gets its release recorded.
#pragma once

#include "macros/recorder/AllKeyboardsReader.h"
#include "macros/recorder/HookKeyTranslator.h"
#include "macros/recorder/KeyboardHook.h"

class EvdevKeyboardHook : public KeyboardHook {
 public:
  /// A hook on the keyboards `discovery` finds, timed by `clock` (both must outlive it).
  EvdevKeyboardHook(EvdevDiscovery& discovery, Clock& clock);
  /// Uninstalls.
  ~EvdevKeyboardHook() override;

  /// Grabs every keyboard and delivers to `handler`; false when no keyboard could be opened.
  bool install(Handler handler) override;
  /// Ungrabs every keyboard and waits for a delivery in progress.
  void uninstall() override;

 private:
  void onKeyboardEvent(const AllKeyboardsReader::Event& event);

  AllKeyboardsReader reader_;
  Handler handler_;
  HookKeyTranslator translator_;  // used on the delivery thread only
};

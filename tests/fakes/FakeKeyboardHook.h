// A keyboard hook a test drives by hand: fire delivers one key event to the
// installed handler on the calling thread; installs and uninstalls are logged.
#pragma once

#include <string>
#include <vector>

#include "macros/recorder/KeyboardHook.h"

class FakeKeyboardHook : public KeyboardHook {
 public:
  /// Remembers the handler; reports failure while refuseInstall is set (the handler is kept anyway).
  bool install(Handler handler) override {
    log.push_back("install");
    handler_ = std::move(handler);
    return !refuseInstall;
  }
  /// Forgets the handler.
  void uninstall() override {
    log.push_back("uninstall");
    handler_ = nullptr;
  }
  /// Delivers one event; true when consumed, false also when nothing is installed.
  bool fire(KeyMessage message, const HookKeyRecord& record) { return handler_ ? handler_(message, record) : false; }
  /// Whether a handler is installed.
  bool installed() const { return static_cast<bool>(handler_); }

  std::vector<std::string> log;  ///< "install" and "uninstall", in call order
  bool refuseInstall = false;    ///< makes install report that no keyboard could be hooked

 private:
  Handler handler_;
};

// The tray of the headless backend: icons are kept in a list, and tests click
// them (Headless::ClickTrayIcon), which posts the owner its callback message as
// a real tray would.
#pragma once

#include <mutex>
#include <vector>

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// The process's headless tray.
class HeadlessTray {
 public:
  /// The one tray.
  static HeadlessTray& Get();

  /// Shows an icon; `key` identifies it for Remove.
  void Add(const void* key, HWND owner, UINT id, UINT callbackMessage);
  /// Takes an icon away; nothing when it is not shown.
  void Remove(const void* key);
  /// Posts `mouseMessage` for the newest icon of `owner`; false when it has none.
  bool Click(HWND owner, UINT mouseMessage);

 private:
  struct Entry {
    const void* key = nullptr;
    HWND owner = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
  };

  std::mutex mutex_;
  std::vector<Entry> icons_;
};

}  // namespace ZephUI::Backend

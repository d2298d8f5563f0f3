#include "zephui/Manager.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "zephui/Message.h"

namespace ZephUI {
namespace {

// Written at start-up before any window exists, read afterwards.
struct GlobalSettings {
  HINSTANCE instance = nullptr;
  std::u16string deviceName = u"Device Driver";
  std::u16string fontName = u"SourceHanSansCN-Regular";
  int fontWidth = 14;
};

GlobalSettings& Globals() {
  static GlobalSettings settings;
  return settings;
}

// Windows come and go on any thread that owns one, so the registry has its own lock.
struct WindowRegistry {
  std::mutex mutex;
  std::vector<MWindow*> windows;
};

WindowRegistry& Registry() {
  static WindowRegistry registry;
  return registry;
}

}  // namespace

void Manager::SetInstance(HINSTANCE instance) { Globals().instance = instance; }

HINSTANCE Manager::GetInstance() { return Globals().instance; }

void Manager::SetDeviceName(std::u16string name) { Globals().deviceName = std::move(name); }

std::u16string Manager::GetDeviceName() { return Globals().deviceName; }

void Manager::SetFont(std::u16string faceName, int width) {
  Globals().fontName = std::move(faceName);
  Globals().fontWidth = width;
}

void Manager::SetFontName(std::u16string faceName) { Globals().fontName = std::move(faceName); }

std::u16string Manager::GetFontName() { return Globals().fontName; }

int Manager::GetFontWidth() { return Globals().fontWidth; }

ArgbColor Manager::GetSelectColor() { return ArgbColor::FromArgb(0xFF, 16, 168, 253); }

std::u16string Manager::GetTheme() { return u"theme1/"; }

void Manager::InitGdiplus() {}

void Manager::UnInitGdiplus() {}

int Manager::MessageLoop() {
  MSG msg;
  while (GetMessage(msg)) {
    if (PreTranslateMessage(msg) != 0) continue;
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  return static_cast<int>(msg.wParam);
}

int Manager::PreTranslateMessage(const MSG&) {
  const bool alt = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
  const bool f4 = (GetAsyncKeyState(VK_F4) & 0x8000) != 0;
  return alt && f4 ? 1 : 0;
}

void Manager::AddWnd(MWindow* window) {
  std::lock_guard lock(Registry().mutex);
  Registry().windows.push_back(window);
}

void Manager::DeleteWnd(MWindow* window) {
  std::lock_guard lock(Registry().mutex);
  std::erase(Registry().windows, window);
}

bool Manager::HasWnd(const MWindow* window) {
  std::lock_guard lock(Registry().mutex);
  const auto& windows = Registry().windows;
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace ZephUI
